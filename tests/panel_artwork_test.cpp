// The grain and labels of the two panels; their frames and value boxes are pixel facts
// (tests/data/pixel_facts.txt).
#include <gtest/gtest.h>

#include <vector>

#include "tests/picture_test_helpers.h"

namespace {

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
    return CountPixels({left, top, right, bottom}, PixelsOf(ImageTarget(number)),
                       [](int, int y, std::uint32_t pixel) {
                           return y % 2 == 0 ? !IsLightGrain(pixel) : !IsBlueGrain(pixel);
                       });
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

int CountLighter(int image, int left, int top, int right, int bottom, int above) {
    return CountPixels({left, top, right, bottom}, PixelsOf(ImageTarget(image)),
                       [above](int, int, std::uint32_t pixel) { return Green(pixel) > above; });
}

int CountDarker(int image, int left, int top, int right, int bottom, int below) {
    return CountPixels({left, top, right, bottom}, PixelsOf(ImageTarget(image)),
                       [below](int, int, std::uint32_t pixel) { return Green(pixel) < below; });
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
