// The program started as a player starts it, but off-screen unless a display platform is
// asked for, with a fixed seed, an empty ranking file and a silent sound device; and a
// timer for calls that present, which the play area paces to about 60 per second.
#pragma once

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "app/app.h"

// None, with the benchmark marked as failed, where the program does not start.
inline std::unique_ptr<Program> StartedGame(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::filesystem::path data = std::filesystem::temp_directory_path() / "quickstack-bench";
    std::filesystem::remove_all(data);
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    auto program = std::make_unique<Program>();
    program->midi.MidiOut = std::make_unique<MidiRecorder>();
    program->state.random.SeedRandom(20240601);
    if (StartUp(*program).has_value()) {
        state.SkipWithError("the program did not start");
        return nullptr;
    }
    RepaintNow(program->window);
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
