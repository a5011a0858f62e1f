#include <gtest/gtest.h>

#include <ostream>

#include "tests/picture_test_helpers.h"

namespace {

struct BlockColours {
    int kind;
    std::uint32_t base, light, dark;
};

void PrintTo(const BlockColours& value, std::ostream* os) {
    *os << "kind " << value.kind;
}

std::uint32_t Expected(int x, int y, const BlockColours& colours) {
    if (x == 29 && y == 29) {
        return Black;
    }
    if (y == 29 || x == 29) {
        return colours.dark;
    }
    if (x == 0 || y == 0) {
        return colours.light;
    }
    return colours.base;
}

// Every pixel of the sprite against the one expected of its place.
void ExpectBlock(int number, const BlockColours& colours) {
    EXPECT_EQ(Differences(
                  30, 30, [number](int x, int y) { return SpritePixel(number, x, y); },
                  [&colours](int x, int y) { return Expected(x, y, colours); }),
              0);
}

class BlockSprite : public PictureTest, public ::testing::WithParamInterface<BlockColours> {};
using BlockSpriteTest = PictureTest;

TEST_P(BlockSprite, HasItsFaceLightAndDarkEdgesAndABlackCorner) {
    ExpectBlock(GetParam().kind, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BlockSprite,
    ::testing::Values(BlockColours{1, Rgb(0, 160, 0), Rgb(0, 240, 0), Rgb(0, 64, 0)},
                      BlockColours{2, Rgb(160, 0, 0), Rgb(240, 0, 0), Rgb(64, 0, 0)},
                      BlockColours{3, Rgb(0, 100, 160), Rgb(0, 150, 240), Rgb(0, 40, 64)},
                      BlockColours{4, Rgb(128, 64, 0), Rgb(192, 96, 0), Rgb(51, 26, 0)},
                      BlockColours{5, Rgb(160, 160, 0), Rgb(240, 240, 0), Rgb(64, 64, 0)},
                      BlockColours{6, Rgb(128, 0, 160), Rgb(192, 0, 240), Rgb(51, 0, 64)},
                      BlockColours{7, Rgb(64, 64, 64), Rgb(96, 96, 96), Rgb(26, 26, 26)}),
    [](const auto& info) { return "Kind" + std::to_string(info.param.kind); });

// A bright base would carry into the next component; the light edge stops at 255.
TEST_F(BlockSpriteTest, LightEdgeOfABrightColourStaysWithinEachComponent) {
    MakeBlockSprite(8, 200, 180, 20);
    ExpectBlock(8, {8, Rgb(200, 180, 20), Rgb(255, 255, 30), Rgb(80, 72, 8)});
}

}  // namespace
