// The program started as a player starts it, with a fixed seed, no ranking file in a data
// folder of its own and a silent sound device: for the tests and the benchmarks alike.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "app/app.h"

constexpr std::uint32_t StartedProgramSeed = 20240601;

// None where the program does not start.
inline std::unique_ptr<Program> StartedProgram(const std::filesystem::path& data) {
    std::filesystem::remove_all(data);
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    auto program = std::make_unique<Program>();
    program->midi.MidiOut = std::make_unique<MidiRecorder>();
    program->state.random.SeedRandom(StartedProgramSeed);
    if (StartUp(*program).has_value()) {
        return nullptr;
    }
    RepaintNow(program->window);
    FinishStartUp();
    return program;
}
