#include <gtest/gtest.h>

#include "core/core.h"
#include "tests/fake_services.h"

namespace {

GameState Playing(int kind, int rotation, int column, int row) {
    GameState state;
    state.Playing = 1;
    state.NextKind = kind == 2 ? 3 : 2;
    state.piece = {.kind = kind, .rotation = rotation, .column = column, .row = row};
    return state;
}

TEST(Collision, VerticalStraightPieceReachesBothWalls) {
    const GameState state = Playing(1, 1, 4, 0);
    EXPECT_FALSE(PieceCollides(state, -1, 0));
    EXPECT_TRUE(PieceCollides(state, -2, 0));
    EXPECT_FALSE(PieceCollides(state, 8, 0));
    EXPECT_TRUE(PieceCollides(state, 9, 0));
}

TEST(Collision, FloorAndSettledSquares) {
    GameState state = Playing(2, 1, 4, 0);  // squares in box rows 1 and 2
    EXPECT_FALSE(PieceCollides(state, 4, 14));
    EXPECT_TRUE(PieceCollides(state, 4, 15));
    state.well.SetCell(6, 10, 7);
    EXPECT_TRUE(PieceCollides(state, 4, 8));   // box column 2 meets column 6
    EXPECT_FALSE(PieceCollides(state, 5, 7));  // the empty corner of the box may overlap
    EXPECT_FALSE(PieceCollides(state, 2, 8));
}

TEST(Shift, MovesAndRedrawsOrDoesNothingAtTheWall) {
    FakeServices services;
    GameState state = Playing(1, 1, 0, 3);
    ShiftLeft(state, services);
    EXPECT_EQ(state.piece.column, -1);
    EXPECT_EQ(services.log, std::vector<std::string>{"redraw"});

    const GameState before = state;
    services.log.clear();
    ShiftLeft(state, services);
    EXPECT_EQ(state.piece, before.piece);
    EXPECT_TRUE(services.log.empty());
}

TEST(Shift, SettledSquaresStopTheMove) {
    FakeServices services;
    GameState state = Playing(2, 1, 4, 10);
    state.well.SetCell(7, 11, 1);
    ShiftRight(state, services);
    EXPECT_EQ(state.piece.column, 4);
    EXPECT_TRUE(services.log.empty());
    ShiftLeft(state, services);
    EXPECT_EQ(state.piece.column, 3);
}

struct RefusedTurn {
    int kind, rotation, column, row;
};

class RefusedRotation : public ::testing::TestWithParam<RefusedTurn> {};

TEST_P(RefusedRotation, IsUndoneAndDrawsNothing) {
    const RefusedTurn turn = GetParam();
    FakeServices services;
    GameState state = Playing(turn.kind, turn.rotation, turn.column, turn.row);
    const FallingPiece before = state.piece;
    Rotate(state, services);
    EXPECT_EQ(state.piece, before);
    EXPECT_TRUE(services.log.empty());
}

// The horizontal straight piece needs box columns 0..3 inside the well; the upright
// one reaches row + 3, below the floor when lying on it.
INSTANTIATE_TEST_SUITE_P(WallsAndFloor, RefusedRotation,
                         ::testing::Values(RefusedTurn{1, 1, -1, 5}, RefusedTurn{1, 1, 7, 5},
                                           RefusedTurn{1, 1, 8, 5}, RefusedTurn{1, 3, 8, 5},
                                           RefusedTurn{1, 2, 3, 15}));

TEST(Rotation, TurnsClockwiseAndWrapsFromFourToOne) {
    FakeServices services;
    GameState state = Playing(4, 3, 3, 3);
    Rotate(state, services);
    EXPECT_EQ(state.piece.rotation, 4);
    Rotate(state, services);
    EXPECT_EQ(state.piece.rotation, 1);
    EXPECT_EQ(services.log, (std::vector<std::string>{"redraw", "redraw"}));
}

TEST(Rotation, SquarePieceAlwaysTurnsAndRedraws) {
    FakeServices services;
    GameState state = Playing(2, 4, -1, 14);  // resting in the bottom-left corner
    Rotate(state, services);
    EXPECT_EQ(state.piece.rotation, 1);
    EXPECT_EQ(services.log, std::vector<std::string>{"redraw"});
}

TEST(Gravity, FallsExactlyOneRowThenShowsThePanel) {
    FakeServices services;
    GameState state = Playing(3, 1, 4, 0);
    GravityStep(state, services);
    EXPECT_EQ(state.piece.row, 1);
    EXPECT_EQ(services.log[0], "redraw");
    EXPECT_EQ(services.log[1].rfind("panel", 0), 0u);
    EXPECT_EQ(services.log.size(), 2u);
}

TEST(Gravity, LocksAPieceThatRestsAndStillShowsThePanel) {
    FakeServices services;
    GameState state = Playing(2, 1, 4, 15 - 1);  // square resting on the floor
    GravityStep(state, services);
    EXPECT_EQ(state.well.Cell(5, 15), 2);
    EXPECT_EQ(state.well.Cell(6, 16), 2);
    EXPECT_EQ(state.piece.row, 0);  // the next piece has come in
    EXPECT_EQ(services.log.back().rfind("panel", 0), 0u);
}

TEST(Drop, FallsToTheFloorWithoutDrawingTheRowsBetween) {
    FakeServices services;
    GameState state = Playing(1, 1, 2, 0);
    Drop(state, services);
    for (int row = 13; row <= 16; ++row) {
        EXPECT_EQ(state.well.Cell(3, row), 1) << row;
    }
    EXPECT_EQ(services.log.front(), "note 0 64 127 127");  // the lock, no redraw before it
}

TEST(Drop, APieceOnItsSupportLocksWhereItIs) {
    FakeServices services;
    GameState state = Playing(2, 1, 0, 2);
    FillRows(state.well, 5, {"77........"});
    Drop(state, services);
    EXPECT_EQ(RowText(state.well, 3), ".22.......");
    EXPECT_EQ(RowText(state.well, 4), ".22.......");
}

}  // namespace
