// Whole games played through the core's moves by a simple greedy player, on the fake
// clock: each runs from the count-down to the mode's target in milliseconds.
#include <gtest/gtest.h>

#include "core/core.h"
#include "tests/fake_services.h"

namespace {

struct Placement {
    int rotation = 1;
    int column = 0;
};

int ColumnHeight(const Well& well, int column) {
    for (int row = 0; row < WellRows; ++row) {
        if (well.Cell(column, row) > 0) {
            return WellRows - row;
        }
    }
    return 0;
}

// The usual weighing of a settled well: low, flat, without holes, with rows gone.
double Weigh(GameState trial) {
    FakeServices silent;
    trial.GameMode = 1;
    trial.Score = 0;
    LockPiece(trial, silent);
    double holes = 0;
    double height = 0;
    double bumps = 0;
    for (int column = 0; column < WellColumns; ++column) {
        const int h = ColumnHeight(trial.well, column);
        height += h;
        for (int row = WellRows - h; row < WellRows; ++row) {
            holes += trial.well.Cell(column, row) == 0 ? 1 : 0;
        }
        if (column > 0) {
            bumps += std::abs(h - ColumnHeight(trial.well, column - 1));
        }
    }
    return 0.76 * trial.Score / 10.0 - 0.51 * height - 0.6 * holes - 0.18 * bumps;
}

Placement Choose(const GameState& state) {
    Placement best;
    double bestWeight = -1e9;
    for (int rotation = 1; rotation <= 4; ++rotation) {
        for (int column = -1; column < WellColumns; ++column) {
            GameState trial = state;
            trial.piece.rotation = rotation;
            trial.piece.column = column;
            if (PieceCollides(trial, column, trial.piece.row)) {
                continue;
            }
            while (!PieceCollides(trial, column, trial.piece.row + 1)) {
                ++trial.piece.row;
            }
            const double weight = Weigh(trial);
            if (weight > bestWeight) {
                bestWeight = weight;
                best = {rotation, column};
            }
        }
    }
    return best;
}

// One piece: a gravity tick, the turns and shifts towards the chosen place, a drop.
void PlayOnePiece(GameState& state, FakeServices& services) {
    services.now += 1000;
    GravityStep(state, services);
    if (state.Playing == 0) {
        return;
    }
    const Placement target = Choose(state);
    for (int turns = 0; turns < 3 && state.piece.rotation != target.rotation; ++turns) {
        Rotate(state, services);
    }
    for (int steps = 0; steps < WellColumns && state.piece.column > target.column; ++steps) {
        ShiftLeft(state, services);
    }
    for (int steps = 0; steps < WellColumns && state.piece.column < target.column; ++steps) {
        ShiftRight(state, services);
    }
    services.now += 300;
    Drop(state, services);
}

struct WholeGame {
    int mode;
    std::uint32_t seed;
};

class WholeGameTest : public ::testing::TestWithParam<WholeGame> {};

TEST_P(WholeGameTest, ReachesTheTargetWithEveryRowScoredHeardAndTimed) {
    FakeServices services(0xFFFF0000u);  // the game runs across the tick count's wrap
    GameState state;
    state.GameMode = GetParam().mode;
    state.random.SeedRandom(GetParam().seed);
    StartNewGame(state, services);
    const std::uint32_t start = state.ChronoStart;

    while (state.Playing == 1) {
        PlayOnePiece(state, services);
    }

    ASSERT_EQ(services.Count("finish"), 1) << "lost with " << state.Score << " points";
    EXPECT_GE(state.Score, TargetOf(state.GameMode));
    EXPECT_LT(state.Score, TargetOf(state.GameMode) + 25);
    EXPECT_EQ(services.finishedTime, static_cast<std::int32_t>(services.now - start));
    EXPECT_EQ(ChronoValue(state), services.finishedTime);

    // Every cleared row is one channel-1 note and one score step of 10, 15, 20 or 25.
    const int rows = services.Count("note 1 64") - 5;  // less the count-down
    EXPECT_EQ(services.Count("pause 100"), rows - 1);  // none after the last row
    EXPECT_EQ(services.Count("note 2"), 2);
    EXPECT_EQ(services.Count("note 1 80"), 0);
    EXPECT_GE(state.Score, 10 * rows);
    EXPECT_LE(state.Score, 25 * rows);
}

INSTANTIATE_TEST_SUITE_P(Seeded, WholeGameTest,
                         ::testing::Values(WholeGame{0, 1}, WholeGame{0, 2}, WholeGame{0, 3},
                                           WholeGame{1, 4}),
                         [](const auto& info) {
                             return std::string(info.param.mode == 0 ? "Sprint" : "Endurance") +
                                    "Seed" + std::to_string(info.param.seed);
                         });

}  // namespace
