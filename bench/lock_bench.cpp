// The game core's share of a lock that clears four rows: settling the piece, finding and
// removing the rows, scoring, and bringing in the next piece. Its services do nothing,
// so neither the 100 ms pauses nor any drawing count.
#include <benchmark/benchmark.h>

#include "core/core.h"

namespace {

class IdleServices : public GameServices {
  public:
    std::uint32_t TickCount() override { return 1000; }
    void Pause(int) override {}
    void PlayNote(int, int, int, int) override {}
    void ShowSprite(int, int, int) override {}
    void ShowSpriteKeyed(int, int, int) override {}
    void PresentPlayArea() override {}
    void DrawWell(const GameState&) override {}
    void RedrawPlayArea(const GameState&) override {}
    void DrawNextPiece(const GameState&) override {}
    void DrawGamePanel(GameState&) override {}
    void RecordFinish(GameState&) override {}
    void ShowRules() override {}
    void ClearRanking(int) override {}
    void DrawRankingPanel(int) override {}
    void RepaintWindow() override {}
};

// A vertical straight piece settled into column 9 of four rows full but for that column,
// under a well half full of rows with a hole.
GameState FourRowsToClear() {
    GameState state;
    state.Playing = 1;
    state.NextKind = 4;
    state.piece = {.kind = 1, .rotation = 1, .column = 8, .row = WellRows - 4};
    for (int row = WellRows / 2; row < WellRows; ++row) {
        for (int column = 0; column < WellColumns - 1; ++column) {
            state.well.SetCell(column, row, static_cast<std::int8_t>(column % 7 + 1));
        }
    }
    for (int row = WellRows / 2; row < WellRows - 4; ++row) {
        state.well.SetCell(0, row, 0);
    }
    return state;
}

void LockClearingFourRows(benchmark::State& state) {
    IdleServices services;
    const GameState start = FourRowsToClear();
    GameState game = start;
    for (auto _ : state) {
        game = start;
        LockPiece(game, services);
        benchmark::DoNotOptimize(game);
    }
    if (game.Score != 70) {
        state.SkipWithError("the lock did not clear four rows");
    }
}
BENCHMARK(LockClearingFourRows);

}  // namespace

BENCHMARK_MAIN();
