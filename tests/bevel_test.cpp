#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/picture_test_helpers.h"

namespace {

constexpr int Scratch = 40;  // an image number the game does not use
constexpr std::uint32_t Grey = Rgb(90, 90, 90);

// A grey scratch image with drawing open on it, so that untouched pixels show.
void OpenScratch(int width, int height) {
    NewImage(Scratch, width, height);
    BeginDrawing(ImageTarget(Scratch));
    DrawBox(0, 0, width, height, PackColour(90, 90, 90));
}

// The scratch image as rows of 'W' white, 'B' black, '.' grey and '?' anything else.
std::vector<std::string> Rows(int x, int y, int width, int height) {
    std::vector<std::string> rows;
    for (int row = y; row < y + height; ++row) {
        std::string text;
        for (int column = x; column < x + width; ++column) {
            const std::uint32_t pixel = ImagePixel(Scratch, column, row);
            text += pixel == White ? 'W' : pixel == Black ? 'B' : pixel == Grey ? '.' : '?';
        }
        rows.push_back(text);
    }
    return rows;
}

using BevelTest = PictureTest;

TEST_F(BevelTest, RaisedIsWhiteOnTopAndLeftAndBlackOnBottomAndRight) {
    OpenScratch(8, 8);
    RaisedBevel(2, 3, 3, 3);
    EndDrawing();
    EXPECT_EQ(Rows(1, 2, 6, 6), (std::vector<std::string>{"......", ".WWWB.", ".W..B.", ".W..B.",
                                                          ".BBBB.", "......"}));
}

TEST_F(BevelTest, SunkenHasTheColoursExchanged) {
    OpenScratch(8, 8);
    SunkenBevel(2, 3, 3, 3);
    EndDrawing();
    EXPECT_EQ(Rows(1, 2, 6, 6), (std::vector<std::string>{"......", ".BBBW.", ".B..W.", ".B..W.",
                                                          ".WWWW.", "......"}));
}

TEST_F(BevelTest, OutlinesAnAreaOfWPlusOneByHPlusOnePixels) {
    OpenScratch(40, 30);
    RaisedBevel(5, 6, 20, 10);
    EndDrawing();
    for (int x = 5; x <= 24; ++x) {
        EXPECT_EQ(ImagePixel(Scratch, x, 6), White) << x;
        EXPECT_EQ(ImagePixel(Scratch, x, 16), Black) << x;
    }
    for (int y = 6; y <= 15; ++y) {
        EXPECT_EQ(ImagePixel(Scratch, 5, y), White) << y;
    }
    for (int y = 6; y <= 16; ++y) {
        EXPECT_EQ(ImagePixel(Scratch, 25, y), Black) << y;
    }
    EXPECT_EQ(ImagePixel(Scratch, 26, 6), Grey);
    EXPECT_EQ(ImagePixel(Scratch, 5, 17), Grey);
    EXPECT_EQ(ImagePixel(Scratch, 15, 11), Grey);  // the inside is not filled
}

// Four studs, three pixels in from the outline on each side.
TEST_F(BevelTest, RivetedFrameHasFourStudsNearItsCorners) {
    OpenScratch(30, 26);
    RivetedFrame(2, 1, 20, 16);
    EndDrawing();
    EXPECT_EQ(Rows(2, 1, 21, 17), (std::vector<std::string>{
                                      "WWWWWWWWWWWWWWWWWWWWB",
                                      "W...................B",
                                      "W...................B",
                                      "W...................B",
                                      "W...WWWB.....WWWB...B",
                                      "W...W..B.....W..B...B",
                                      "W...W..B.....W..B...B",
                                      "W...BBBB.....BBBB...B",
                                      "W...................B",
                                      "W...WWWB.....WWWB...B",
                                      "W...W..B.....W..B...B",
                                      "W...W..B.....W..B...B",
                                      "W...BBBB.....BBBB...B",
                                      "W...................B",
                                      "W...................B",
                                      "W...................B",
                                      "BBBBBBBBBBBBBBBBBBBBB",
                                  }));
}

// Given the full size of its target, a frame's dark edges fall just outside.
TEST_F(BevelTest, FullSizeFrameShowsOnlyItsLightEdgesAndStuds) {
    OpenScratch(24, 20);
    RivetedFrame(0, 0, 24, 20);
    EndDrawing();
    EXPECT_EQ(
        Rows(0, 0, 24, 20),
        (std::vector<std::string>{
            "WWWWWWWWWWWWWWWWWWWWWWWW", "W.......................", "W.......................",
            "W.......................", "W...WWWB.........WWWB...", "W...W..B.........W..B...",
            "W...W..B.........W..B...", "W...BBBB.........BBBB...", "W.......................",
            "W.......................", "W.......................", "W.......................",
            "W.......................", "W...WWWB.........WWWB...", "W...W..B.........W..B...",
            "W...W..B.........W..B...", "W...BBBB.........BBBB...", "W.......................",
            "W.......................", "W.......................",
        }));
}

// The last colour used stays the front colour: later uncoloured lines are drawn in it.
struct FrontColourCase {
    const char* name;
    std::function<void()> outline;
    std::uint32_t after;
};

void PrintTo(const FrontColourCase& value, std::ostream* os) {
    *os << value.name;
}

class BevelFrontColour : public PictureTest,
                         public ::testing::WithParamInterface<FrontColourCase> {};

TEST_P(BevelFrontColour, LeavesTheFrontColour) {
    OpenScratch(30, 30);
    SetColour(200, 10, 10);
    GetParam().outline();
    DrawLine(0, 28, 10, 0);
    EndDrawing();
    EXPECT_EQ(ImagePixel(Scratch, 3, 28), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Outlines, BevelFrontColour,
    ::testing::Values(FrontColourCase{"Raised", [] { RaisedBevel(1, 1, 10, 10); }, Black},
                      FrontColourCase{"Sunken", [] { SunkenBevel(1, 1, 10, 10); }, White},
                      FrontColourCase{"Riveted", [] { RivetedFrame(1, 1, 20, 20); }, Black}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
