#include <gtest/gtest.h>

#include <bitset>
#include <string>

#include "core/core.h"

namespace {

// A mask drawn as its four box rows, top first, the way a player sees the piece.
std::string Picture(int mask) {
    std::string rows;
    ForEachSquare(0xFFFF, [&](int r, int c) {
        if (c == 0 && r > 0) {
            rows += '/';
        }
        rows += (mask & (0x8000 >> (4 * r + c))) ? 'X' : '.';
    });
    return rows;
}

struct Shape {
    int kind;
    int rotation;
    const char* picture;
};

class PieceTableTest : public ::testing::TestWithParam<Shape> {};

TEST_P(PieceTableTest, MaskDrawsTheShapeWithFourSquares) {
    const Shape shape = GetParam();
    const int mask = PieceMask(shape.kind, shape.rotation);
    EXPECT_EQ(Picture(mask), shape.picture);
    EXPECT_EQ(std::bitset<16>(mask).count(), 4u);
    EXPECT_GT(mask, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindAndRotation, PieceTableTest,
    ::testing::Values(Shape{1, 1, ".X../.X../.X../.X.."}, Shape{1, 2, "..../XXXX/..../...."},
                      Shape{1, 3, ".X../.X../.X../.X.."}, Shape{1, 4, "..../XXXX/..../...."},
                      Shape{2, 1, "..../.XX./.XX./...."}, Shape{2, 2, "..../.XX./.XX./...."},
                      Shape{2, 3, "..../.XX./.XX./...."}, Shape{2, 4, "..../.XX./.XX./...."},
                      Shape{3, 1, ".XX./.X../.X../...."}, Shape{3, 2, "XXX./..X./..../...."},
                      Shape{3, 3, "..X./..X./.XX./...."}, Shape{3, 4, "X.../XXX./..../...."},
                      Shape{4, 1, "XXX./.X../..../...."}, Shape{4, 2, "..X./.XX./..X./...."},
                      Shape{4, 3, "..../.X../XXX./...."}, Shape{4, 4, "X.../XX../X.../...."},
                      Shape{5, 1, "XX../.XX./..../...."}, Shape{5, 2, ".X../XX../X.../...."},
                      Shape{5, 3, "XX../.XX./..../...."}, Shape{5, 4, ".X../XX../X.../...."},
                      Shape{6, 1, ".XX./XX../..../...."}, Shape{6, 2, "X.../XX../.X../...."},
                      Shape{6, 3, ".XX./XX../..../...."}, Shape{6, 4, "X.../XX../.X../...."},
                      Shape{7, 1, ".XX./..X./..X./...."}, Shape{7, 2, "..X./XXX./..../...."},
                      Shape{7, 3, ".X../.X../.XX./...."}, Shape{7, 4, "XXX./X.../..../...."}));

TEST(PieceTable, NoPieceBeforeTheFirstGame) {
    EXPECT_EQ(PieceMask(0, 0), 0);
}

TEST(PieceTable, WalkGoesRowByRowLeftToRight) {
    std::string order;
    ForEachSquare(0x8421, [&](int r, int c) { order += std::to_string(r) + std::to_string(c); });
    EXPECT_EQ(order, "00112233");
}

}  // namespace
