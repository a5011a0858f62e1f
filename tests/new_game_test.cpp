#include <gtest/gtest.h>

#include "core/core.h"
#include "tests/fake_services.h"

namespace {

TEST(NewGame, CountsDownFiveToOneThenSoundsTheStartAndShowsTheFirstPiece) {
    FakeServices services(50000);
    GameState state;
    state.random.SeedRandom(1);
    StartNewGame(state, services);

    std::vector<std::string> expected{"panel 00:00:00 0"};
    for (int digit = 5; digit >= 1; --digit) {
        const std::vector<std::string> step{"note 1 64 127 127", "sprite 14 0 0",
                                            "keyed " + std::to_string(18 + digit) + " 80 120",
                                            "present", "pause 1000"};
        expected.insert(expected.end(), step.begin(), step.end());
    }
    const std::vector<std::string> start{"note 2 64 127 127", "pause 200",     "note 2 69 127 127",
                                         "pause 200",         "sprite 14 0 0", "redraw",
                                         "present",           "next"};
    expected.insert(expected.end(), start.begin(), start.end());
    EXPECT_EQ(services.log, expected);

    EXPECT_EQ(state.Playing, 1);
    EXPECT_EQ(state.ChronoStart, 50000u + 5400u);  // the count-down is not timed
    EXPECT_EQ(state.piece.rotation, 1);
    EXPECT_EQ(state.piece.column, 4);
    EXPECT_EQ(state.piece.row, 0);
    EXPECT_NE(state.NextKind, state.piece.kind);
}

TEST(NewGame, ReplacesARunningGameWithAnEmptyWellAndAZeroPanel) {
    FakeServices services(1000);
    GameState state;
    state.Playing = 1;
    state.Score = 340;
    state.ChronoStart = 200;
    state.ChronoNow = 900;
    state.piece = {.kind = 3, .rotation = 2, .column = 1, .row = 9};
    FillRows(state.well, 14, {"1234567.12", "77777.7777", "1111111.11"});
    StartNewGame(state, services);

    EXPECT_EQ(services.log.front(), "panel 00:00:00 0");
    EXPECT_EQ(state.Score, 0);
    EXPECT_EQ(state.well, Well{});
    EXPECT_EQ(state.piece.row, 0);
}

TEST(NewGame, FirstPieceKindsVaryWithTheSeed) {
    std::vector<int> kinds(8, 0);
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        FakeServices services;
        GameState state;
        state.random.SeedRandom(seed);
        StartNewGame(state, services);
        ++kinds[state.piece.kind];
    }
    for (int kind = 1; kind <= 7; ++kind) {
        EXPECT_GT(kinds[kind], 0) << kind;
    }
}

}  // namespace
