// The program started as a player starts it, but off-screen unless a display platform is
// asked for, with a fixed seed, an empty ranking file and a silent sound device; and a
// timer for calls that present, which the play area paces to about 60 per second.
#pragma once

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "tests/started_program.h"

// None, with the benchmark marked as failed, where the program does not start.
inline std::unique_ptr<Program> StartedGame(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    auto program = StartedProgram(std::filesystem::temp_directory_path() / "quickstack-bench");
    if (!program) {
        state.SkipWithError("the program did not start");
    }
    return program;
}

// A game under way in a well full but for the falling piece's place.
inline void FillWell(GameState& state) {
    state.Playing = 1;
    state.NextKind = 3;
    state.piece = {.kind = 6, .rotation = 2, .column = 4, .row = 6};
    for (int row = 0; row < WellRows; ++row) {
        for (int column = 0; column < WellColumns; ++column) {
            state.well.SetCell(column, row, static_cast<std::int8_t>((row + column) % 7 + 1));
        }
    }
}

// Times one call that presents, after waiting out the pace of the present before it, so
// that the figure is the work of the call and not the wait for the next present.
inline void TimeUnpaced(benchmark::State& state, const std::function<void()>& call) {
    constexpr std::chrono::milliseconds PresentPace(17);
    for (auto _ : state) {
        std::this_thread::sleep_for(PresentPace);
        const auto start = std::chrono::steady_clock::now();
        call();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
