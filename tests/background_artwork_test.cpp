#include <gtest/gtest.h>

#include <ostream>

#include "tests/picture_test_helpers.h"

namespace {

// numerator / denominator to the nearest integer, a half to the even one (positive only).
int RoundHalfEven(int numerator, int denominator) {
    const int whole = numerator / denominator;
    const int twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && whole % 2 == 1)) {
        return whole + 1;
    }
    return whole;
}

std::uint32_t BandColour(int row) {
    return Rgb(64, RoundHalfEven(300 + 10 * row, 3), 64);
}

// r = 80 − (row / 4) / 2 and b = 160 − row / 4, in eighths and quarters.
std::uint32_t BodyColour(int row) {
    const int red = RoundHalfEven(640 - row, 8);
    return Rgb(red, red, RoundHalfEven(640 - row, 4));
}

bool OnGrid(int x, int y) {
    return y >= 46 && (x % 10 == 0 || (y - 46) % 10 == 0);
}

bool UnderAPanel(int x, int y) {
    const bool gamePanel = x >= 35 && x < 185 && y >= 210 && y < 410;
    const bool rankingPanel = x >= 540 && x < 760 && y >= 60 && y < 560;
    return gamePanel || rankingPanel;
}

using Background = PictureTest;

TEST_F(Background, RowZeroStaysBlack) {
    SaveForViewing(ImageTarget(BackgroundImage), "background");
    for (int x = 0; x < 800; ++x) {
        ASSERT_EQ(ImagePixel(BackgroundImage, x, 0), Black) << x;
    }
}

TEST_F(Background, TitleBandIsGreenRisingFrom103To250) {
    EXPECT_EQ(BandColour(1), Rgb(64, 103, 64));
    EXPECT_EQ(BandColour(45), Rgb(64, 250, 64));
    for (int y = 1; y <= 45; ++y) {
        for (const int x : {0, 5, 10, 100, 250, 700, 799}) {
            EXPECT_EQ(ImagePixel(BackgroundImage, x, y), BandColour(y)) << x << "," << y;
        }
    }
}

TEST_F(Background, BodyFadesFromDarkBlueToNearBlackWithTiesToEven) {
    EXPECT_EQ(BodyColour(47), Rgb(74, 74, 148));  // 74.125 and 148.25
    EXPECT_EQ(BodyColour(50), Rgb(74, 74, 148));  // 73.75 and 147.5, a tie
    EXPECT_EQ(BodyColour(52), Rgb(74, 74, 147));  // 73.5, a tie, and 147
    EXPECT_EQ(BodyColour(54), Rgb(73, 73, 146));  // 73.25 and 146.5, a tie
    EXPECT_EQ(BodyColour(60), Rgb(72, 72, 145));  // 72.5, a tie, and 145
    EXPECT_EQ(BodyColour(599), Rgb(5, 5, 10));
    int wrong = 0;
    for (int y = 46; y < 600; ++y) {
        for (const int x : {5, 15, 195, 525, 785, 795}) {
            if (OnGrid(x, y) || UnderAPanel(x, y)) {
                continue;
            }
            const std::uint32_t pixel = ImagePixel(BackgroundImage, x, y);
            if (pixel != BodyColour(y) && ++wrong <= 5) {
                ADD_FAILURE() << x << "," << y << ": " << ColourText(pixel) << " not "
                              << ColourText(BodyColour(y));
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Background, GridIsBlackEveryTenPixelsBelowTheBand) {
    EXPECT_EQ(CountPixels({0, 46, 800, 600}, PixelsOf(ImageTarget(BackgroundImage)),
                          [](int x, int y, std::uint32_t pixel) {
                              return OnGrid(x, y) && !UnderAPanel(x, y) &&
                                     !(x >= 540 && y >= 560) && pixel != Black;
                          }),
              0);
    EXPECT_EQ(ImagePixel(BackgroundImage, 3, 46), Black);   // the first body row
    EXPECT_EQ(ImagePixel(BackgroundImage, 3, 596), Black);  // the last grid row
    EXPECT_EQ(ImagePixel(BackgroundImage, 3, 597), BodyColour(597));
    EXPECT_EQ(ImagePixel(BackgroundImage, 790, 599), Black);
    EXPECT_EQ(ImagePixel(BackgroundImage, 791, 599), BodyColour(599));
    EXPECT_EQ(ImagePixel(BackgroundImage, 10, 45), BandColour(45));  // no grid in the band
}

struct Placed {
    const char* name;
    int image, x, y, width, height;
};

void PrintTo(const Placed& value, std::ostream* os) {
    *os << value.name;
}

class PanelInBackground : public PictureTest, public ::testing::WithParamInterface<Placed> {};

TEST_P(PanelInBackground, IsCopiedWhole) {
    const Placed placed = GetParam();
    EXPECT_EQ(
        Differences(
            placed.width, placed.height,
            [&](int x, int y) { return ImagePixel(BackgroundImage, placed.x + x, placed.y + y); },
            [&](int x, int y) { return ImagePixel(placed.image, x, y); }),
        0);
}

INSTANTIATE_TEST_SUITE_P(Panels, PanelInBackground,
                         ::testing::Values(Placed{"Game", GamePanelImage, 35, 210, 150, 200},
                                           Placed{"Ranking", RankingBackdrop, 540, 60, 220, 500}),
                         [](const auto& info) { return std::string(info.param.name); });

int CountColour(int left, int top, int right, int bottom, std::uint32_t colour) {
    return CountPixels({left, top, right, bottom}, PixelsOf(ImageTarget(BackgroundImage)),
                       [colour](int, int, std::uint32_t pixel) { return pixel == colour; });
}

TEST_F(Background, TitleIsYellowOverItsShadowNearX270) {
    EXPECT_GT(CountColour(270, 0, 560, 46, Rgb(255, 255, 0)), 300);
    EXPECT_GT(CountColour(275, 5, 565, 46, Rgb(32, 32, 32)), 30);
    EXPECT_EQ(CountColour(0, 0, 270, 46, Rgb(255, 255, 0)), 0);
    EXPECT_EQ(CountColour(0, 0, 275, 46, Rgb(32, 32, 32)), 0);
}

TEST_F(Background, CreditLineIsLavenderBelowTheRankingPanel) {
    EXPECT_GT(CountColour(540, 565, 800, 600, Rgb(150, 150, 250)), 50);
    EXPECT_EQ(CountColour(0, 46, 540, 600, Rgb(150, 150, 250)), 0);
}

TEST_F(Background, PreviewPatchIsTheSquareAtEightyFourHundredFifty) {
    EXPECT_EQ(Differences(
                  80, 80, [](int x, int y) { return ImagePixel(PreviewPatchImage, x, y); },
                  [](int x, int y) { return ImagePixel(BackgroundImage, 80 + x, 450 + y); }),
              0);
    for (int i = 0; i < 80; ++i) {
        EXPECT_EQ(ImagePixel(PreviewPatchImage, i, 6), Black) << i;   // window row 456
        EXPECT_EQ(ImagePixel(PreviewPatchImage, 0, i), Black) << i;   // window column 80
        EXPECT_EQ(ImagePixel(PreviewPatchImage, 70, i), Black) << i;  // column 150
    }
    EXPECT_EQ(ImagePixel(PreviewPatchImage, 5, 5), BodyColour(455));
    EXPECT_EQ(ImagePixel(PreviewPatchImage, 79, 79), BodyColour(529));
}

}  // namespace
