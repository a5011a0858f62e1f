#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/picture_test_helpers.h"
#include "view/artwork.h"

namespace {

constexpr std::uint32_t Ground = Rgb(160, 160, 224);
constexpr std::uint32_t Outline = Rgb(32, 32, 32);

using SpriteArtwork = PictureTest;

// Inside the two-pixel edge (a pixel fact) only the lavender ground, the slightly lighter name and
// their blends.
TEST_F(SpriteArtwork, BackdropIsLavenderWithAFaintNamePattern) {
    SaveForViewing(SpriteTarget(BackdropSprite), "backdrop");
    const Area inner{2, 2, 318, 533};
    const PixelSource backdrop = PixelsOf(SpriteTarget(BackdropSprite));
    EXPECT_EQ(CountPixels(inner, backdrop,
                          [](int, int, std::uint32_t pixel) {
                              const int lift = Red(pixel) - 160;
                              const int blue = Blue(pixel) - Red(pixel);
                              return !(Red(pixel) == Green(pixel) && lift >= 0 && lift <= 16 &&
                                       blue >= 63 && blue <= 65);
                          }),
              0);
    const int lettered =
        CountPixels(inner, backdrop, [](int, int, std::uint32_t pixel) { return pixel != Ground; });
    const int inside = 531 * 316;
    EXPECT_GT(lettered, inside / 20);
    EXPECT_LT(lettered, inside * 2 / 3);
}

// Every pixel after the recolouring: black, at most the outline word, or its row's colour.
int RecolourFaults(int number, int width, int height, std::uint32_t perRow, int& text,
                   int& outline) {
    text = outline = 0;
    return CountPixels({0, 0, width, height}, PixelsOf(SpriteTarget(number)),
                       [&](int, int y, std::uint32_t pixel) {
                           const std::uint32_t row =
                               0xFFFF00 - perRow * static_cast<std::uint32_t>(y);
                           text += pixel == row;
                           outline += pixel == Outline;
                           return pixel > 0x202020 && pixel != row;
                       });
}

TEST_F(SpriteArtwork, LostIsAYellowToRedGradientInADarkOutline) {
    SaveForViewing(SpriteTarget(LostSprite), "lost");
    int text = 0;
    int outline = 0;
    EXPECT_EQ(RecolourFaults(LostSprite, 280, 80, 0x300, text, outline), 0);
    EXPECT_GT(text, 1000);
    EXPECT_GT(outline, 200);
    EXPECT_EQ(SpritePixel(LostSprite, 279, 79), Black);
}

class CountdownDigit : public PictureTest, public ::testing::WithParamInterface<int> {};

TEST_P(CountdownDigit, IsAYellowToRedGradientInADarkOutline) {
    const int number = CountdownSprite + GetParam();
    SaveForViewing(SpriteTarget(number), "countdown_" + std::to_string(GetParam() + 1));
    int text = 0;
    int outline = 0;
    EXPECT_EQ(RecolourFaults(number, 170, 256, 0x100, text, outline), 0);
    EXPECT_GT(text, 2000);
    EXPECT_GT(outline, 200);
}

INSTANTIATE_TEST_SUITE_P(Digits, CountdownDigit, ::testing::Range(0, 5));

struct RecolourCase {
    const char* name;
    std::uint32_t word;
    bool recoloured;
};

void PrintTo(const RecolourCase& value, std::ostream* os) {
    *os << value.name;
}

class Recolour : public ::testing::TestWithParam<RecolourCase> {};

// Above the outline word, taken as a signed number, a pixel belongs to the text.
TEST_P(Recolour, ChangesOnlyWordsAboveTheOutline) {
    std::vector<std::uint32_t> pixels(3 * 4, GetParam().word);
    RecolourText(pixels.data(), 3, 4, 0xFFFF00, 0x300);
    for (int y = 0; y < 4; ++y) {
        const std::uint32_t expected = GetParam().recoloured
                                           ? 0xFFFF00 - 0x300 * static_cast<std::uint32_t>(y)
                                           : GetParam().word;
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(pixels[y * 3 + x], expected) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Words, Recolour,
                         ::testing::Values(RecolourCase{"Black", 0x000000, false},
                                           RecolourCase{"Outline", 0x202020, false},
                                           RecolourCase{"OutlineWithOneMoreBlue", 0x202021, true},
                                           RecolourCase{"DarkButBrightBlue", 0x1FFFFF, false},
                                           RecolourCase{"White", 0xFFFFFF, true},
                                           RecolourCase{"DimRed", 0x210000, true},
                                           RecolourCase{"NegativeAsSigned", 0x80000000, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecolourGradient, ReachesOrangeRedAndPureRedOnTheLastRows) {
    std::vector<std::uint32_t> lost(280 * 80, 0xFFFFFF);
    RecolourText(lost.data(), 280, 80, 0xFFFF00, 0x300);
    EXPECT_EQ(lost.front(), Rgb(255, 255, 0));
    EXPECT_EQ(lost.back(), Rgb(255, 18, 0));
    std::vector<std::uint32_t> digit(170 * 256, 0xFFFFFF);
    RecolourText(digit.data(), 170, 256, 0xFFFF00, 0x100);
    EXPECT_EQ(digit.back(), Rgb(255, 0, 0));
    EXPECT_EQ(digit[170 * 128], Rgb(255, 127, 0));
}

}  // namespace
