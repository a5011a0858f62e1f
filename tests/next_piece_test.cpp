#include <gtest/gtest.h>

#include "tests/picture_test_helpers.h"

namespace {

constexpr int PreviewX = 80;  // window pixels
constexpr int PreviewY = 450;
constexpr std::uint32_t TileFace = Rgb(128, 128, 200);

// A 20 × 20 raised tile: white top row and left column, black bottom row and right column.
std::uint32_t TilePixel(int x, int y) {
    if (x == 19 || y == 19) {
        return Black;
    }
    if (x == 0 || y == 0) {
        return White;
    }
    return TileFace;
}

// The preview square as it must be: tiles in the cells of the mask, the patch elsewhere.
std::uint32_t ExpectedPreview(int mask, int x, int y) {
    const int bit = 0x8000 >> (4 * (y / 20) + x / 20);
    return (mask & bit) ? TilePixel(x % 20, y % 20) : ImagePixel(PreviewPatchImage, x, y);
}

GameState NextOf(int kind) {
    GameState state;
    state.piece = {.kind = kind == 1 ? 2 : 1, .rotation = 1, .column = 5, .row = 0};
    state.NextKind = kind;
    return state;
}

using NextPiece = PictureTest;

TEST_F(NextPiece, StraightPieceIsFourTilesStackedAtXHundred) {
    DrawNextPiece(NextOf(1));
    SaveForViewing(WindowTarget(), "next_piece_straight");
    for (const int y : {450, 470, 490, 510}) {
        EXPECT_EQ(WindowPixel(100, y), White) << y;
        EXPECT_EQ(WindowPixel(100 + 18, y), White) << y;
        EXPECT_EQ(WindowPixel(100, y + 18), White) << y;
        EXPECT_EQ(WindowPixel(100 + 19, y), Black) << y;
        EXPECT_EQ(WindowPixel(100, y + 19), Black) << y;
        EXPECT_EQ(WindowPixel(100 + 19, y + 19), Black) << y;
        EXPECT_EQ(WindowPixel(101, y + 1), TileFace) << y;
        EXPECT_EQ(WindowPixel(118, y + 18), TileFace) << y;
    }
}

class NextPieceKinds : public PictureTest, public ::testing::WithParamInterface<int> {};

// Each kind shows its own shape in the one tile colour, over a wiped patch.
TEST_P(NextPieceKinds, ShowsTheShapeOverTheBackgroundPatch) {
    DrawNextPiece(NextOf(GetParam() == 4 ? 5 : 4));
    const GameState state = NextOf(GetParam());
    DrawNextPiece(state);
    const int mask = PieceMask(state.NextKind, 1);
    EXPECT_EQ(Differences(
                  80, 80, [](int x, int y) { return WindowPixel(PreviewX + x, PreviewY + y); },
                  [mask](int x, int y) { return ExpectedPreview(mask, x, y); }),
              0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, NextPieceKinds, ::testing::Range(1, 8));

TEST_F(NextPiece, LeavesTheWindowAroundThePreviewAlone) {
    BeginDrawing(WindowTarget());
    DrawBox(70, 440, 100, 100, PackColour(1, 2, 3));
    EndDrawing();
    DrawNextPiece(NextOf(3));
    EXPECT_EQ(WindowPixel(79, 450), Rgb(1, 2, 3));
    EXPECT_EQ(WindowPixel(160, 529), Rgb(1, 2, 3));
    EXPECT_EQ(WindowPixel(159, 530), Rgb(1, 2, 3));
    EXPECT_EQ(WindowPixel(80, 449), Rgb(1, 2, 3));
}

}  // namespace
