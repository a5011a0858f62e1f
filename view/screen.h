// The window as the game lays it out, in window pixels, and the numbers of the pictures
// it builds at start-up. Every folder that draws takes its places and numbers from here.
#pragma once

#include "core/core.h"

struct ScreenBox {
    int x;  // top-left corner, window pixels
    int y;
    int width;
    int height;
};

constexpr ScreenBox Window{0, 0, 800, 600};
constexpr ScreenBox PlayArea{200, 55, 320, 535};
constexpr ScreenBox GamePanel{35, 210, 150, 200};
constexpr ScreenBox RankingPanel{540, 60, 220, 500};
constexpr ScreenBox Preview{80, 450, 80, 80};  // four cells of 20 each way

// The menu buttons, numbered 1 to 5 from the top (MenuButton).
struct MenuButtonFace {
    const char* caption;  // UTF-8 here, Windows-1252 on the face
    ScreenBox box;
};
constexpr MenuButtonFace MenuButtons[] = {
    {"Nouvelle partie", {40, 70, 140, 20}}, {"Règle du jeu", {40, 95, 140, 20}},
    {"Mode de jeu", {40, 120, 140, 20}},    {"Efface classement", {40, 145, 140, 20}},
    {"Quitter", {40, 170, 140, 20}},
};

// Images.
constexpr int FirstButtonImage = 8;  // the faces of buttons 1..5 are images 8..12
constexpr int BackgroundImage = 13;
constexpr int PreviewPatchImage = 15;  // the background under the preview
constexpr int RankingBackdrop = 16;    // the empty ranking panel
constexpr int GamePanelImage = 17;     // the empty game panel
constexpr int SkinMaskImage = 24;      // the window's shape in black and white, while it repaints

// Sprites: 1..7 the squares of the seven kinds; the core lays BackdropSprite (14),
// LostSprite (18) and the count-down's CountdownSprite (19..23).
