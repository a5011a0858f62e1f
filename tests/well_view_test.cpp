#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/picture_test_helpers.h"
#include "tests/well_rows.h"

namespace {

// What the play area must show: the backdrop, every settled square and the squares of
// the falling piece, each block sprite opaque, black corner included.
std::uint32_t ExpectedPlayArea(const GameState& state, int x, int y) {
    const int column = (x - 10) / 30;
    const int row = (y - 10) / 30;
    int kind = 0;
    if (x >= 10 && y >= 10 && column < WellColumns && row < WellRows) {
        kind = state.well.Cell(column, row);
        const FallingPiece& piece = state.piece;
        ForEachSquare(PieceMask(piece.kind, piece.rotation), [&](int r, int c) {
            if (piece.column + c == column && piece.row + r == row) {
                kind = piece.kind;
            }
        });
    }
    return kind > 0 ? SpritePixel(kind, (x - 10) % 30, (y - 10) % 30)
                    : SpritePixel(BackdropSprite, x, y);
}

int PlayAreaDifferences(const GameState& state) {
    return Differences(
        PlayAreaWidth, PlayAreaHeight,
        [](int x, int y) { return WindowPixel(PlayAreaX + x, PlayAreaY + y); },
        [&state](int x, int y) { return ExpectedPlayArea(state, x, y); });
}

using WellView = PictureTest;

TEST_F(WellView, SquarePieceAtColumnFourShowsFourRedSquaresOverTheBackdrop) {
    GameState state;
    state.piece = {.kind = 2, .rotation = 1, .column = 4, .row = 0};
    RedrawPlayArea(state);
    SaveForViewing(WindowTarget(), "play_area_square_piece");
    for (const auto& [x, y] :
         std::vector<std::pair<int, int>>{{160, 40}, {190, 40}, {160, 70}, {190, 70}}) {
        EXPECT_EQ(WindowPixel(PlayAreaX + x, PlayAreaY + y), Rgb(240, 0, 0)) << x << "," << y;
        EXPECT_EQ(WindowPixel(PlayAreaX + x + 15, PlayAreaY + y + 15), Rgb(160, 0, 0));
        EXPECT_EQ(WindowPixel(PlayAreaX + x + 29, PlayAreaY + y + 29), Black);
    }
    EXPECT_EQ(PlayAreaDifferences(state), 0);
}

struct WellCase {
    const char* name;
    std::vector<std::string> rows;
    FallingPiece piece;
};

void PrintTo(const WellCase& value, std::ostream* os) {
    *os << value.name;
}

class WellPicture : public PictureTest, public ::testing::WithParamInterface<WellCase> {};

TEST_P(WellPicture, ShowsEverySettledSquareAndTheFallingPiece) {
    GameState state;
    FillRows(state.well, 0, GetParam().rows);
    state.piece = GetParam().piece;
    RedrawPlayArea(state);
    EXPECT_EQ(PlayAreaDifferences(state), 0);
}

const std::vector<std::string> FullTopRow{"3333333333"};
const std::vector<std::string> FullBottomRow = [] {
    std::vector<std::string> rows(WellRows - 1, "..........");
    rows.push_back("7777777777");
    return rows;
}();
const std::vector<std::string> Mixed = [] {
    std::vector<std::string> rows(WellRows - 4, "..........");
    rows.insert(rows.end(), {"1.......7.", "12.....67.", "123.4.567.", "1234567123"});
    return rows;
}();

INSTANTIATE_TEST_SUITE_P(Wells, WellPicture,
                         ::testing::Values(WellCase{"FullTopRow", FullTopRow, {}},
                                           WellCase{"FullBottomRow", FullBottomRow, {}},
                                           WellCase{"MixedWithATurnedPiece", Mixed, {4, 2, 3, 5}},
                                           WellCase{"PieceAtTheRightWall", Mixed, {1, 1, 8, 9}},
                                           WellCase{"PieceAtTheLeftWall", {}, {1, 1, -1, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WellView, FullRowIsTenSpritesAcrossTheWell) {
    GameState state;
    FillRows(state.well, 0, FullBottomRow);
    RedrawPlayArea(state);
    for (int c = 0; c < WellColumns; ++c) {
        const int x = 10 + 30 * c;
        const int y = 10 + 30 * 16;
        EXPECT_EQ(WindowPixel(PlayAreaX + x, PlayAreaY + y), Rgb(96, 96, 96)) << c;
        EXPECT_EQ(WindowPixel(PlayAreaX + x + 29, PlayAreaY + y + 29), Black) << c;
    }
}

// The well alone goes into the back buffer; the next present shows it over what was there.
TEST_F(WellView, DrawWellNeitherClearsNorPresents) {
    GameState state;
    state.piece = {.kind = 2, .rotation = 1, .column = 4, .row = 0};
    RedrawPlayArea(state);
    GameState settled;
    FillRows(settled.well, 0, FullTopRow);
    DrawWell(settled);
    EXPECT_EQ(PlayAreaDifferences(state), 0);
    PresentPlayArea();
    EXPECT_EQ(WindowPixel(PlayAreaX + 10, PlayAreaY + 10), Rgb(0, 150, 240));
    EXPECT_EQ(WindowPixel(PlayAreaX + 160, PlayAreaY + 40), Rgb(240, 0, 0));
}

}  // namespace
