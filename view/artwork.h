// The start-up pictures one by one, in the folder's own use: BuildStaticArtwork makes
// those the window shows in the order that lets later ones copy earlier ones.
#pragma once

#include <cstdint>

#include "core/core.h"

// Rows in pairs from the top: light grey grain, then a slightly darker blue-grey.
void TextureFill(int width, int height, Random& random);  // on the open drawing

void BuildRankingBackdrop(Random& random);
void BuildGamePanelImage(Random& random);
void BuildBackgroundImage();
void BuildPreviewPatchImage();
void BuildBackdropSprite();
void BuildLostSprite();
void BuildCountdownSprites();

// Turns every word of sprite memory (0x00RRGGBB) above the dark outline colour into a
// vertical gradient: firstRow on row 0, less perRow on each row below.
void RecolourText(std::uint32_t* pixels, int width, int height, std::uint32_t firstRow,
                  std::uint32_t perRow);
