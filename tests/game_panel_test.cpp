#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/golden.h"
#include "tests/picture_test_helpers.h"

namespace {

constexpr int PanelX = 35;  // window pixels
constexpr int PanelY = 210;
constexpr std::uint32_t TextColour = Rgb(32, 32, 32);

struct Ink {
    int left, top, right, bottom;  // both ends included
    int full;                      // pixels wholly in the text colour
};

// Where the window's panel differs from the empty panel, within one value box.
Ink InkIn(int boxX, int boxY, int width, int height) {
    const Area box{boxX, boxY, boxX + width, boxY + height};
    const PixelTest inked = [](int x, int y, std::uint32_t pixel) {
        return pixel != ImagePixel(GamePanelImage, x - PanelX, y - PanelY);
    };
    const Area ink = BoundsOf(box, WindowPixel, inked);
    const int full = CountPixels(box, WindowPixel, [&](int x, int y, std::uint32_t pixel) {
        return pixel == TextColour && inked(x, y, pixel);
    });
    return {ink.left, ink.top, ink.right - 1, ink.bottom - 1, full};
}

Ink ChronoInk() {
    return InkIn(55, 250, 110, 40);
}
Ink PointsInk() {
    return InkIn(55, 340, 110, 40);
}

int ValueTextWidth(const std::string& text) {
    return MeasuredWidth("Times New Roman", 20, FontBold, text);
}

GameState WithScore(int score) {
    GameState state;
    state.Score = score;
    return state;
}

using GamePanel = PictureTest;

TEST_F(GamePanel, ChronoStartsFourPixelsInsideItsBox) {
    GameState state = WithScore(0);
    DrawGamePanel(state);
    SaveForViewing(WindowTarget(), "game_panel");
    const Ink ink = ChronoInk();
    EXPECT_GE(ink.left, 59);
    EXPECT_LE(ink.left, 62);
    EXPECT_GE(ink.top, 254);
    EXPECT_LE(ink.top, 264);
    EXPECT_GT(ink.full, 20);
}

class PanelPoints : public PictureTest, public ::testing::WithParamInterface<int> {};

// The pen goes to the left of the box plus half the room the measured text leaves.
TEST_P(PanelPoints, AreCentredInTheirBoxByTheirMeasuredWidth) {
    GameState state = WithScore(GetParam());
    DrawGamePanel(state);
    const std::string text = std::to_string(GetParam());
    const int pen = 55 + (110 - ValueTextWidth(text)) / 2;
    const Ink ink = PointsInk();
    EXPECT_GE(ink.left, pen);
    EXPECT_LE(ink.left, pen + 3);
    EXPECT_GE(ink.top, 345);
    EXPECT_LE(ink.top, 355);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 110, 4);
    EXPECT_GT(ink.full, 5);
}

INSTANTIATE_TEST_SUITE_P(Scores, PanelPoints, ::testing::Values(0, 10, 70, 495, 1250, 5000));

TEST_F(GamePanel, LongerPointsStartFurtherLeft) {
    int left[3];
    const int scores[3] = {0, 70, 1250};
    for (int i = 0; i < 3; ++i) {
        GameState state = WithScore(scores[i]);
        DrawGamePanel(state);
        left[i] = PointsInk().left;
    }
    EXPECT_LT(left[1], left[0]);
    EXPECT_LT(left[2], left[1]);
}

TEST_F(GamePanel, ReadsTheChronoOnlyWhileAGameRuns) {
    GameState idle = WithScore(0);
    idle.ChronoStart = 5000;
    idle.ChronoNow = 7000;
    DrawGamePanel(idle);
    EXPECT_EQ(idle.ChronoNow, 7000u);

    GameState running = idle;
    running.Playing = 1;
    const std::uint32_t before = TickCount();
    DrawGamePanel(running);
    const std::uint32_t after = TickCount();
    EXPECT_GE(running.ChronoNow - before, 0u);
    EXPECT_LE(running.ChronoNow - before, after - before);
    EXPECT_EQ(running.ChronoStart, 5000u);
}

struct PanelCase {
    std::uint32_t chrono;  // milliseconds
    int score;
    const char* time;
};

void PrintTo(const PanelCase& value, std::ostream* os) {
    *os << value.time << " and " << value.score;
}

class PanelValues : public PictureTest, public ::testing::WithParamInterface<PanelCase> {};

// The time text with its pen at (59, 254) and the points with theirs centred by measure
// at y 345. A wide value drawn before must leave nothing behind. Texts wider than the box start
// left of it by half the overflow, rounded down (the width of "-123456789" is odd).
TEST_P(PanelValues, ShowTheTimeTextAndThePoints) {
    GameState wide = WithScore(888888888);
    wide.ChronoNow = 88 * 60000 + 58880;
    DrawGamePanel(wide);
    GameState state = WithScore(GetParam().score);
    state.ChronoStart = 4294000000u;
    state.ChronoNow = state.ChronoStart + GetParam().chrono;  // across the wrap for some
    DrawGamePanel(state);
    ExpectLikeGolden("game_panel_" + std::to_string(GetParam().score), WindowTarget(), PanelX,
                     PanelY, 150, 200);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PanelValues,
    ::testing::Values(PanelCase{0, 0, "00:00:00"}, PanelCase{83456, 70, "01:23:45"},
                      PanelCase{3599990, 1250, "59:59:99"}, PanelCase{6000000, 5000, "100:00:00"},
                      PanelCase{0, 1234567890, "00:00:00"}, PanelCase{0, -123456789, "00:00:00"}));

}  // namespace
