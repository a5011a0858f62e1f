#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/picture_test_helpers.h"

namespace {

struct ButtonFace {
    int number;
    const char* caption;
};

void PrintTo(const ButtonFace& value, std::ostream* os) {
    *os << value.caption;
}

class ButtonImage : public PictureTest, public ::testing::WithParamInterface<ButtonFace> {};

const std::vector<int> GameFaceGreens{210, 202, 195, 188, 180, 172, 165, 158, 150, 142,
                                      135, 128, 120, 112, 105, 98,  90,  82,  75,  68};

// Green rows fading downwards, and a black caption from x 10 whose blended edges keep
// no red and no blue.
TEST_P(ButtonImage, IsAGreenFadeWithABlackCaption) {
    const auto [number, caption] = GetParam();
    const std::string text = Windows1252(caption);
    const Handle handle = MakeButtonImage(number, 140, 20, text);
    SaveForViewing(ImageTarget(number), "button_" + std::to_string(number));
    EXPECT_EQ(handle, ImageHandle(number));
    EXPECT_NE(handle, 0);
    for (int y = 0; y < 20; ++y) {
        for (const int x : {0, 5, 9, 139}) {
            EXPECT_EQ(ImagePixel(number, x, y), Rgb(0, GameFaceGreens[y], 0)) << x << "," << y;
        }
    }
    const Area face{0, 0, 140, 20};
    EXPECT_EQ(CountPixels(face, PixelsOf(ImageTarget(number)),
                          [](int, int y, std::uint32_t pixel) {
                              return Red(pixel) + Blue(pixel) != 0 ||
                                     Green(pixel) > GameFaceGreens[y];
                          }),
              0);
    EXPECT_GT(CountPixels(face, PixelsOf(ImageTarget(number)),
                          [](int, int y, std::uint32_t pixel) {
                              return Green(pixel) < GameFaceGreens[y] / 2;
                          }),
              40);
    for (int x = 0; x < 140; ++x) {
        EXPECT_EQ(ImagePixel(number, x, 0), Rgb(0, 210, 0)) << x;
        EXPECT_EQ(ImagePixel(number, x, 1), Rgb(0, 202, 0)) << x;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Menu, ButtonImage,
    ::testing::Values(ButtonFace{8, "Nouvelle partie"}, ButtonFace{9, "Règle du jeu"},
                      ButtonFace{10, "Mode de jeu"}, ButtonFace{11, "Efface classement"},
                      ButtonFace{12, "Quitter"}),
    [](const auto& info) { return "Image" + std::to_string(info.param.number); });

struct FadeCase {
    int height;
    std::vector<int> greens;
};

class ButtonFade : public PictureTest, public ::testing::WithParamInterface<FadeCase> {};

// v = (height − row) × 150 / height + 60 in single precision, a half to the even one.
TEST_P(ButtonFade, FollowsTheHeightOfTheFace) {
    const int height = GetParam().height;
    MakeButtonImage(40, 30, height, "");
    for (int y = 0; y < height; ++y) {
        EXPECT_EQ(ImagePixel(40, 29, y), Rgb(0, GetParam().greens[y], 0)) << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Heights, ButtonFade,
    ::testing::Values(FadeCase{10, {210, 195, 180, 165, 150, 135, 120, 105, 90, 75}},
                      FadeCase{4, {210, 172, 135, 98}}, FadeCase{1, {210}}));

// A caption wider than the face is simply cut off at its right edge.
using ButtonCaption = PictureTest;

TEST_F(ButtonCaption, WiderThanTheFaceIsCutOff) {
    MakeButtonImage(40, 140, 20, "Efface classement Efface classement");
    int dark = 0;
    for (int y = 0; y < 20; ++y) {
        dark += Green(ImagePixel(40, 139, y)) < GameFaceGreens[y];
        dark += Green(ImagePixel(40, 135, y)) < GameFaceGreens[y];
    }
    EXPECT_GT(dark, 0);
}

}  // namespace
