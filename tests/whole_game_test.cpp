// Whole games played through the game's inputs by a simple greedy player, on the fake
// clock: each runs from the count-down to the mode's target in milliseconds.
#include <gtest/gtest.h>

#include "core/core.h"
#include "tests/fake_services.h"
#include "tests/greedy_player.h"

namespace {

// One piece, as the player's inputs: a gravity tick, the turns and shifts towards the
// chosen place, a drop.
void PlayOnePiece(GameState& state, FakeServices& services) {
    const auto press = [&](int key) { ApplyInput(state, {Input::Kind::Key, key}, services); };
    services.now += 1000;
    ApplyInput(state, {Input::Kind::Tick}, services);
    if (state.Playing == 0) {
        return;
    }
    const Placement target = ChoosePlacement(state);
    for (int turns = 0; turns < 3 && state.piece.rotation != target.rotation; ++turns) {
        press(UpArrow);
    }
    for (int steps = 0; steps < WellColumns && state.piece.column > target.column; ++steps) {
        press(LeftArrow);
    }
    for (int steps = 0; steps < WellColumns && state.piece.column < target.column; ++steps) {
        press(RightArrow);
    }
    services.now += 300;
    press(DownArrow);
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
    ApplyInput(state, {Input::Kind::Button, NewGameButton}, services);
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
