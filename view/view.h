// Everything drawn on the platform layer: bevelled outlines, the static artwork built
// at start-up, the block sprites, the well and the game panel, and the window's skin.
// The view reads the game state; the only thing it writes is the chrono reading that
// the game panel takes.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "core/core.h"
#include "platform/platform.h"
#include "view/screen.h"

// Outlines covering columns x..x + w and rows y..y + h, both ends included.
void RaisedBevel(int x, int y, int w, int h);
void SunkenBevel(int x, int y, int w, int h);
void RivetedFrame(int x, int y, int w, int h);

// Pictures made once at start-up, by the numbers of the screen table: those the window
// shows, and the count-down digits and "PERDU", which only a game shows.
void BuildStaticArtwork(Random& random);
void BuildGameSprites();
Handle MakeButtonImage(int number, int width, int height, std::string_view caption);
void MakeBlockSprite(int number, int red, int green, int blue);
void MakeBlockSprites();  // kinds 1..7 in their colours

// The well in the play area, the next-piece preview and the game panel.
void DrawWell(const GameState& state);
void RedrawPlayArea(const GameState& state);
void DrawNextPiece(const GameState& state);
void DrawGamePanel(GameState& state);  // takes the chrono reading while a game runs

// The window's paint hook: on every repaint the rounded shape, the masked background,
// then the play area, the ranking panel and the game panel.
std::uint32_t WindowSkin(Handle window, std::uint32_t message, GameState& state,
                         const std::function<void()>& drawRankingPanel);
