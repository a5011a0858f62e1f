// Whole pictures of the view against the PNGs kept in tests/golden. A golden changes only
// on purpose: scripts/regenerate-goldens rewrites them from what the view draws now.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/picture_test_helpers.h"

namespace {

struct Golden {
    const char* name;
    std::function<Target()> draw;  // draws what is needed and names the target to keep
};

void PrintTo(const Golden& value, std::ostream* os) {
    *os << value.name;
}

std::string GoldenPath(const std::string& name) {
    return std::string(QUICKSTACK_GOLDEN_DIR) + "/" + name + ".png";
}

bool Regenerating() {
    return std::getenv("QUICKSTACK_REGENERATE_GOLDENS") != nullptr;
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
    const std::vector<std::string> rows{"1.......7.", "12.....67.", "123.4.567.", "1234567123"};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < WellColumns; ++c) {
            const char cell = rows[r][c];
            state.well.SetCell(c, WellRows - 4 + r,
                               static_cast<std::int8_t>(cell == '.' ? 0 : cell - '0'));
        }
    }
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
    const Target target = GetParam().draw();
    const std::string golden = GoldenPath(GetParam().name);
    if (Regenerating()) {
        ASSERT_TRUE(SaveTargetPng(target, golden)) << golden;
        return;
    }
    const std::string drawn = ::testing::TempDir() + GetParam().name + ".png";
    ASSERT_TRUE(SaveTargetPng(target, drawn));
    const QImage actual =
        QImage(QString::fromStdString(drawn)).convertToFormat(QImage::Format_RGB32);
    const QImage expected =
        QImage(QString::fromStdString(golden)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "no golden " << golden;
    ASSERT_EQ(actual.size(), expected.size());
    EXPECT_EQ(
        Differences(
            actual.width(), actual.height(),
            [&](int x, int y) { return static_cast<std::uint32_t>(actual.pixel(x, y)) & 0xFFFFFF; },
            [&](int x, int y) {
                return static_cast<std::uint32_t>(expected.pixel(x, y)) & 0xFFFFFF;
            }),
        0)
        << "drawn picture kept in " << drawn;
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
