// Whole pictures of the view against the PNGs kept in tests/golden.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/golden.h"
#include "tests/picture_test_helpers.h"
#include "tests/well_rows.h"

namespace {

struct Golden {
    const char* name;
    std::function<Target()> draw;  // draws what is needed and names the target to keep
};

void PrintTo(const Golden& value, std::ostream* os) {
    *os << value.name;
}

Target Image(int number) {
    return ImageTarget(number);
}
Target Sprite(int number) {
    return SpriteTarget(number);
}

// Everything this folder draws on the window, over the background image: a game under
// way with settled squares, the falling piece, the next piece and the panel's values.
Target ComposedView() {
    BeginDrawing(WindowTarget());
    BlitImage(ImageHandle(BackgroundImage), 0, 0);
    EndDrawing();
    GameState state;
    FillRows(state.well, WellRows - 4, {"1.......7.", "12.....67.", "123.4.567.", "1234567123"});
    state.piece = {.kind = 4, .rotation = 1, .column = 3, .row = 6};
    state.NextKind = 3;
    state.Score = 1250;
    state.ChronoNow = 83456;
    RedrawPlayArea(state);
    DrawNextPiece(state);
    DrawGamePanel(state);
    return WindowTarget();
}

Target ButtonFaces() {
    const char* captions[] = {"Nouvelle partie", "Règle du jeu", "Mode de jeu", "Efface classement",
                              "Quitter"};
    NewImage(41, 140, 100);
    for (int i = 0; i < 5; ++i) {
        MakeButtonImage(FirstButtonImage + i, 140, 20, Windows1252(captions[i]));
    }
    BeginDrawing(ImageTarget(41));
    for (int i = 0; i < 5; ++i) {
        BlitImage(ImageHandle(FirstButtonImage + i), 0, 20 * i);
    }
    EndDrawing();
    return ImageTarget(41);
}

// The seven block sprites side by side.
Target BlockSprites() {
    NewImage(42, 7 * 30, 30);
    for (int kind = 1; kind <= 7; ++kind) {
        NewImage(43, 30, 30);
        BeginDrawing(ImageTarget(43));
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                const std::uint32_t word = SpritePixel(kind, x, y);
                PutPixel(x, y, PackColour(Red(word), Green(word), Blue(word)));
            }
        }
        BeginDrawing(ImageTarget(42));
        BlitImage(ImageHandle(43), 30 * (kind - 1), 0);
        EndDrawing();
    }
    return ImageTarget(42);
}

class ViewGolden : public PictureTest, public ::testing::WithParamInterface<Golden> {};

TEST_P(ViewGolden, MatchesItsPicturePixelForPixel) {
    ExpectLikeGolden(GetParam().name, GetParam().draw());
}

INSTANTIATE_TEST_SUITE_P(
    Goldens, ViewGolden,
    ::testing::Values(Golden{"game_panel_image", [] { return Image(GamePanelImage); }},
                      Golden{"backdrop_sprite", [] { return Sprite(BackdropSprite); }},
                      Golden{"lost_sprite", [] { return Sprite(LostSprite); }},
                      Golden{"countdown_1", [] { return Sprite(CountdownSprite); }},
                      Golden{"countdown_2", [] { return Sprite(CountdownSprite + 1); }},
                      Golden{"countdown_3", [] { return Sprite(CountdownSprite + 2); }},
                      Golden{"countdown_4", [] { return Sprite(CountdownSprite + 3); }},
                      Golden{"countdown_5", [] { return Sprite(CountdownSprite + 4); }},
                      Golden{"button_faces", ButtonFaces}, Golden{"block_sprites", BlockSprites},
                      Golden{"composed_view", ComposedView}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
