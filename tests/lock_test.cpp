#include <gtest/gtest.h>

#include <algorithm>

#include "core/core.h"
#include "tests/fake_services.h"

namespace {

// A vertical straight piece about to drop into column 9 of a well whose bottom rows
// are full but for that column.
GameState StraightIntoGap(int fullRows) {
    GameState state;
    state.Playing = 1;
    state.NextKind = 4;
    state.piece = {.kind = 1, .rotation = 1, .column = 8, .row = 0};
    for (int row = WellRows - fullRows; row < WellRows; ++row) {
        FillRows(state.well, row, {"777777777."});
    }
    return state;
}

std::vector<std::string> ScoresShown(const FakeServices& services) {
    std::vector<std::string> scores;
    for (const std::string& entry : services.log) {
        if (entry.rfind("panel", 0) == 0) {
            scores.push_back(entry.substr(entry.rfind(' ') + 1));
        }
    }
    return scores;
}

struct Clearing {
    int rows;
    int points;
    std::vector<std::string> scoresShown;
};

class RowsCleared : public ::testing::TestWithParam<Clearing> {};

TEST_P(RowsCleared, ScoreEachRowInTurnWithANoteAndAPause) {
    const Clearing clearing = GetParam();
    FakeServices services;
    GameState state = StraightIntoGap(4);
    for (int row = WellRows - 4; row < WellRows - clearing.rows; ++row) {
        state.well.SetCell(0, row, 0);  // keep the rows above the cleared ones open
    }
    Drop(state, services);

    EXPECT_EQ(state.Score, clearing.points);
    EXPECT_EQ(ScoresShown(services), clearing.scoresShown);
    EXPECT_EQ(services.Count("note 1 64"), clearing.rows);
    EXPECT_EQ(services.Count("pause 100"), clearing.rows);
    EXPECT_EQ(services.Count("note 0 64"), 1);
    EXPECT_EQ(state.Playing, 1);
}

INSTANTIATE_TEST_SUITE_P(OneToFour, RowsCleared,
                         ::testing::Values(Clearing{1, 10, {"10"}}, Clearing{2, 25, {"10", "25"}},
                                           Clearing{3, 45, {"10", "25", "45"}},
                                           Clearing{4, 70, {"10", "25", "45", "70"}}));

TEST(Lock, EachRemovedRowIsShownThenScoredThenHeard) {
    FakeServices services;
    GameState state = StraightIntoGap(1);
    Drop(state, services);
    EXPECT_EQ(services.log,
              (std::vector<std::string>{"note 0 64 127 127", "sprite 14 0 0", "well", "present",
                                        "panel 00:01:00 10", "note 1 64 127 127", "pause 100",
                                        "redraw", "next"}));
}

TEST(Lock, NoFullRowOnlyTheLockNoteAndTheNextPiece) {
    FakeServices services;
    GameState state = StraightIntoGap(0);
    Drop(state, services);
    EXPECT_EQ(services.log, (std::vector<std::string>{"note 0 64 127 127", "redraw", "next"}));
    EXPECT_EQ(state.Score, 0);
    EXPECT_EQ(state.piece, (FallingPiece{.kind = 4, .rotation = 1, .column = 5, .row = 0}));
    EXPECT_NE(state.NextKind, 4);
}

TEST(Lock, RowsAboveMoveDownAndSeparateFullRowsAllGo) {
    FakeServices services;
    GameState state;
    state.Playing = 1;
    state.NextKind = 2;
    state.piece = {.kind = 1, .rotation = 1, .column = 8, .row = 0};
    FillRows(state.well, 11,
             {"3.........",  // 11
              "555555555.",  // 12 full once the piece is in
              "66666666..",  // 13 stays
              "444444444.",  // 14 full once the piece is in
              "1.........", "1........."});
    state.piece.row = 11;  // the straight piece fills column 9 of rows 11..14
    LockPiece(state, services);

    EXPECT_EQ(state.Score, 25);
    EXPECT_EQ(RowText(state.well, 12), "..........");
    EXPECT_EQ(RowText(state.well, 13), "3........1");
    EXPECT_EQ(RowText(state.well, 14), "66666666.1");
    EXPECT_EQ(RowText(state.well, 15), "1.........");
    EXPECT_EQ(RowText(state.well, 16), "1.........");
}

TEST(Target, SprintEndsAtFiveHundredLeavingTheNextFullRow) {
    FakeServices services;
    GameState state = StraightIntoGap(2);
    state.Score = 490;
    Drop(state, services);

    EXPECT_EQ(state.Score, 500);
    EXPECT_EQ(state.Playing, 0);
    EXPECT_EQ(services.log.back(), "finish " + std::to_string(services.finishedTime));
    EXPECT_EQ(services.Count("finish"), 1);
    EXPECT_EQ(services.Count("pause"), 0);             // the game ends before the row's pause
    EXPECT_EQ(RowText(state.well, 16), "7777777771");  // the second full row stays
    EXPECT_EQ(state.piece.kind, 1);                    // no next piece came in
}

TEST(Target, EnduranceIgnoresFiveHundredAndEndsAtFiveThousand) {
    FakeServices services;
    GameState state = StraightIntoGap(1);
    state.GameMode = 1;
    state.Score = 495;
    Drop(state, services);
    EXPECT_EQ(state.Playing, 1);
    EXPECT_EQ(services.Count("finish"), 0);

    services.log.clear();
    state = StraightIntoGap(1);
    state.GameMode = 1;
    state.Score = 4990;
    Drop(state, services);
    EXPECT_EQ(state.Playing, 0);
    EXPECT_EQ(services.Count("finish"), 1);
}

TEST(Spawn, ABlockedNewPieceLosesTheGame) {
    FakeServices services;
    GameState state = StraightIntoGap(0);
    state.well.SetCell(6, 1, 5);  // under the T piece's stem at column 5, row 0
    Drop(state, services);

    EXPECT_EQ(state.Playing, 0);
    EXPECT_EQ(services.log,
              (std::vector<std::string>{"note 0 64 127 127", "note 1 80 127 127", "sprite 14 0 0",
                                        "well", "keyed 18 20 200", "present"}));
    for (int column = 5; column <= 7; ++column) {
        EXPECT_EQ(state.well.Cell(column, 0), 0);  // the piece that did not fit is not written
    }
}

TEST(Spawn, TheWellHavingRoomElsewhereDoesNotSaveTheGame) {
    FakeServices services;
    GameState state = StraightIntoGap(0);
    state.NextKind = 1;
    state.well.SetCell(6, 3, 2);
    Drop(state, services);
    EXPECT_EQ(state.Playing, 0);
}

TEST(NextKind, NeverEqualsTheKindThatJustBecameTheFallingPiece) {
    Random random;
    random.SeedRandom(7);
    std::vector<int> seen(8, 0);
    for (int i = 0; i < 2000; ++i) {
        const int falling = i % 7 + 1;
        const int next = DrawNextKind(random, falling);
        ASSERT_NE(next, falling);
        ASSERT_GE(next, 1);
        ASSERT_LE(next, 7);
        ++seen[next];
    }
    EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), 0), 0);
}

}  // namespace
