#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/picture_test_helpers.h"

namespace {

constexpr std::uint32_t ValueBox = Rgb(100, 160, 100);

bool IsLightGrain(std::uint32_t pixel) {
    return Red(pixel) == Green(pixel) && Green(pixel) == Blue(pixel) && Red(pixel) >= 150 &&
           Red(pixel) <= 180;
}

bool IsBlueGrain(std::uint32_t pixel) {
    return Red(pixel) == Green(pixel) && Blue(pixel) == Red(pixel) + 30 && Red(pixel) >= 120 &&
           Red(pixel) <= 150;
}

// Every pixel of a rectangle is grain of the kind its row takes.
int GrainFaults(int number, int left, int top, int right, int bottom) {
    int faults = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::uint32_t pixel = ImagePixel(number, x, y);
            faults += y % 2 == 0 ? !IsLightGrain(pixel) : !IsBlueGrain(pixel);
        }
    }
    return faults;
}

using PanelArtwork = PictureTest;

TEST_F(PanelArtwork, RankingBackdropIsTexturedInsideItsFrames) {
    SaveForViewing(ImageTarget(RankingBackdrop), "ranking_backdrop");
    EXPECT_EQ(GrainFaults(RankingBackdrop, 1, 55, 219, 455), 0);
    EXPECT_EQ(GrainFaults(RankingBackdrop, 1, 1, 219, 4), 0);
    EXPECT_EQ(GrainFaults(RankingBackdrop, 1, 497, 219, 500), 0);
}

TEST_F(PanelArtwork, GamePanelIsTexturedOutsideItsBoxes) {
    SaveForViewing(ImageTarget(GamePanelImage), "game_panel_image");
    EXPECT_EQ(GrainFaults(GamePanelImage, 1, 1, 150, 4), 0);
    EXPECT_EQ(GrainFaults(GamePanelImage, 1, 91, 150, 95), 0);
    EXPECT_EQ(GrainFaults(GamePanelImage, 1, 181, 150, 193), 0);
    EXPECT_EQ(GrainFaults(GamePanelImage, 141, 30, 150, 181), 0);
}

// Rows in pairs, left to right, one draw of the generator per pixel: the ranking panel
// first, then the game panel.
TEST_F(PanelArtwork, GrainFollowsTheGeneratorPixelByPixel) {
    Random replay;
    replay.SeedRandom(ArtworkSeed);
    std::vector<int> ranking;
    for (int i = 0; i < 220 * 500; ++i) {
        ranking.push_back(replay.RandomUpTo(30));
    }
    const auto draw = [](const std::vector<int>& draws, int width, int x, int y) {
        const int c = draws[y * width + x];
        return y % 2 == 0 ? Rgb(c + 150, c + 150, c + 150) : Rgb(c + 120, c + 120, c + 150);
    };
    EXPECT_EQ(Differences(
                  218, 2, [](int x, int y) { return ImagePixel(RankingBackdrop, 1 + x, 2 + y); },
                  [&](int x, int y) { return draw(ranking, 220, 1 + x, 2 + y); }),
              0);
    std::vector<int> panel;
    for (int i = 0; i < 150 * 200; ++i) {
        panel.push_back(replay.RandomUpTo(30));
    }
    EXPECT_EQ(Differences(
                  149, 10, [](int x, int y) { return ImagePixel(GamePanelImage, 1 + x, 181 + y); },
                  [&](int x, int y) { return draw(panel, 150, 1 + x, 181 + y); }),
              0);
}

// Frames given the full size of the image show only their light edges and studs.
struct OuterFrame {
    const char* name;
    int image, width, height;
};

void PrintTo(const OuterFrame& value, std::ostream* os) {
    *os << value.name;
}

class PanelOuterFrame : public PictureTest, public ::testing::WithParamInterface<OuterFrame> {};

TEST_P(PanelOuterFrame, ShowsItsLightEdgesAndFourStuds) {
    const OuterFrame frame = GetParam();
    for (int x = 0; x < frame.width; ++x) {
        EXPECT_EQ(ImagePixel(frame.image, x, 0), White) << x;
    }
    for (int y = 0; y < frame.height; ++y) {
        EXPECT_EQ(ImagePixel(frame.image, 0, y), White) << y;
    }
    EXPECT_NE(ImagePixel(frame.image, frame.width - 1, 10), Black);
    EXPECT_NE(ImagePixel(frame.image, 10, frame.height - 1), Black);
    for (const int x : {4, frame.width - 7}) {
        for (const int y : {4, frame.height - 7}) {
            EXPECT_EQ(ImagePixel(frame.image, x, y), White);
            EXPECT_EQ(ImagePixel(frame.image, x + 2, y), White);
            EXPECT_EQ(ImagePixel(frame.image, x, y + 2), White);
            EXPECT_EQ(ImagePixel(frame.image, x + 3, y), Black);
            EXPECT_EQ(ImagePixel(frame.image, x, y + 3), Black);
            EXPECT_EQ(ImagePixel(frame.image, x + 3, y + 3), Black);
            EXPECT_TRUE(IsLightGrain(ImagePixel(frame.image, x + 1, y + 2)) ||
                        IsBlueGrain(ImagePixel(frame.image, x + 1, y + 2)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Panels, PanelOuterFrame,
                         ::testing::Values(OuterFrame{"Ranking", RankingBackdrop, 220, 500},
                                           OuterFrame{"Game", GamePanelImage, 150, 200}),
                         [](const auto& info) { return std::string(info.param.name); });

// An inner riveted frame: (x, y) to (x + w, y + h), both ends included.
struct InnerFrame {
    int image, x, y, w, h;
};

void PrintTo(const InnerFrame& value, std::ostream* os) {
    *os << value.x << "," << value.y << " " << value.w << "x" << value.h;
}

class PanelInnerFrame : public PictureTest, public ::testing::WithParamInterface<InnerFrame> {};

TEST_P(PanelInnerFrame, IsARaisedOutlineWithStuds) {
    const auto [image, x, y, w, h] = GetParam();
    for (int i = 0; i < w; ++i) {
        EXPECT_EQ(ImagePixel(image, x + i, y), White) << i;
        EXPECT_EQ(ImagePixel(image, x + i, y + h), Black) << i;
    }
    for (int i = 0; i < h; ++i) {
        EXPECT_EQ(ImagePixel(image, x, y + i), White) << i;
    }
    for (int i = 0; i <= h; ++i) {
        EXPECT_EQ(ImagePixel(image, x + w, y + i), Black) << i;
    }
    for (const int sx : {x + 4, x + w - 7}) {
        for (const int sy : {y + 4, y + h - 7}) {
            EXPECT_EQ(ImagePixel(image, sx, sy), White);
            EXPECT_EQ(ImagePixel(image, sx + 3, sy + 3), Black);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Frames, PanelInnerFrame,
                         ::testing::Values(InnerFrame{RankingBackdrop, 15, 10, 190, 40},
                                           InnerFrame{RankingBackdrop, 15, 460, 190, 30},
                                           InnerFrame{GamePanelImage, 10, 30, 130, 60},
                                           InnerFrame{GamePanelImage, 10, 120, 130, 60}));

class ValueBoxes : public PictureTest, public ::testing::WithParamInterface<int> {};

// A green field sunk into the panel: dark top and left, light bottom and right.
TEST_P(ValueBoxes, AreGreenFieldsWithSunkenEdges) {
    const int top = GetParam();
    for (int x = 20; x < 130; ++x) {
        EXPECT_EQ(ImagePixel(GamePanelImage, x, top), Black) << x;
        EXPECT_EQ(ImagePixel(GamePanelImage, x, top + 40), White) << x;
    }
    for (int y = top; y < top + 40; ++y) {
        EXPECT_EQ(ImagePixel(GamePanelImage, 20, y), Black) << y;
    }
    for (int y = top; y <= top + 40; ++y) {
        EXPECT_EQ(ImagePixel(GamePanelImage, 130, y), White) << y;
    }
    for (int y = top + 1; y < top + 40; ++y) {
        for (int x = 21; x < 130; ++x) {
            ASSERT_EQ(ImagePixel(GamePanelImage, x, y), ValueBox) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ChronoAndPoints, ValueBoxes, ::testing::Values(40, 130));

int CountLighter(int image, int left, int top, int right, int bottom, int above) {
    return CountPixels(image, left, top, right, bottom,
                       [above](std::uint32_t pixel) { return Green(pixel) > above; });
}

int CountDarker(int image, int left, int top, int right, int bottom, int below) {
    return CountPixels(image, left, top, right, bottom,
                       [below](std::uint32_t pixel) { return Green(pixel) < below; });
}

// Faces in (250, 250, 250) over shadows in (50, 50, 50), both outside the grain's range.
TEST_F(PanelArtwork, LabelsAreLightOverDarkShadows) {
    EXPECT_GT(CountLighter(RankingBackdrop, 25, 10, 205, 50, 200), 150);
    EXPECT_GT(CountDarker(RankingBackdrop, 27, 12, 205, 50, 100), 30);
    EXPECT_GT(CountLighter(GamePanelImage, 50, 5, 140, 30, 200), 40);
    EXPECT_GT(CountDarker(GamePanelImage, 52, 7, 140, 30, 100), 10);
    EXPECT_GT(CountLighter(GamePanelImage, 50, 95, 140, 120, 200), 40);
    EXPECT_GT(CountDarker(GamePanelImage, 52, 97, 140, 120, 100), 10);
    EXPECT_EQ(CountLighter(GamePanelImage, 10, 10, 49, 29, 200), 0);
    EXPECT_EQ(CountDarker(GamePanelImage, 10, 10, 49, 29, 100), 0);
}

}  // namespace
