// What sound costs the game: how long start-up waits for it, how soon a note is heard,
// and how much memory it takes. Where no sound device opens, a stand-in is
//   ALSA_CONFIG_PATH=bench/alsa-null.conf PULSE_SERVER=none build/bench/sound_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "sound/synthesiser.h"

namespace {

using Clock = std::chrono::steady_clock;

enum Output { PlayersOutputs, NoOutput };

SynthesiserSetup Setup(int output) {
    SynthesiserSetup setup = PlayerSetup();
    if (output == NoOutput) {
        setup.audioDrivers.clear();
    }
    return setup;
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * sysconf(_SC_PAGESIZE) / 1024;
}

struct SoundRun {
    explicit SoundRun(int output) {
        auto owned = std::make_unique<Synthesiser>(Setup(output));
        synthesiser = owned.get();
        midi = Midi{std::move(owned), nullptr};
    }
    void StartUp() {
        OpenMidiOutput(midi);
        SelectInstrument(midi, 0, 13);
        SelectInstrument(midi, 1, 14);
        SelectInstrument(midi, 2, 55);
    }
    Synthesiser* synthesiser;
    Midi midi;
};

// The first synthesiser of the process, as in the game: how long start-up waits for it,
// and the resident memory it adds once open, and once its soundfont is in and the three
// instruments have played.
void FirstStartUp(benchmark::State& state) {
    for (auto _ : state) {
        const double before = ResidentKilobytes();
        SoundRun run(static_cast<int>(state.range(0)));
        const auto start = Clock::now();
        run.StartUp();
        state.counters["blocks_ms"] = Milliseconds(Clock::now() - start);
        state.counters["opened_kB"] = ResidentKilobytes() - before;
        run.synthesiser->AwaitSoundfont();
        state.counters["until_soundfont_in_ms"] = Milliseconds(Clock::now() - start);
        for (int channel = 0; channel < 3; ++channel) {
            PlayNote(run.midi, channel, 64, 127, 127);
        }
        state.counters["playing_kB"] = ResidentKilobytes() - before;
        state.counters["opened"] = run.midi.MidiReady;
    }
}
BENCHMARK(FirstStartUp)->ArgName("output")->Arg(PlayersOutputs)->Iterations(1);

// How long start-up's open and instrument selection keep the first frame waiting, and
// how long until the soundfont is in: with the player's outputs (all fail on a machine
// without a sound device) and with no output.
void OpenMidiOutputBlocks(benchmark::State& state) {
    double untilSoundfontIn = 0;
    for (auto _ : state) {
        SoundRun run(static_cast<int>(state.range(0)));
        const auto start = Clock::now();
        run.StartUp();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        run.synthesiser->AwaitSoundfont();
        untilSoundfontIn += Milliseconds(Clock::now() - start);
        state.counters["opened"] = run.midi.MidiReady;
    }
    state.counters["until_soundfont_in_ms"] = untilSoundfontIn / state.iterations();
}
BENCHMARK(OpenMidiOutputBlocks)
    ->ArgName("output")
    ->Arg(PlayersOutputs)
    ->Arg(NoOutput)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Offline, the time to render the audio period that holds a fresh note; on a sound device
// the note is heard after at most the output's buffer of Periods × PeriodSize frames.
void PlayNoteToSound(benchmark::State& state) {
    SoundRun run(NoOutput);
    run.StartUp();
    run.synthesiser->AwaitSoundfont();
    for (auto _ : state) {
        PlayNote(run.midi, 0, 64, 127, 127);
        benchmark::DoNotOptimize(run.synthesiser->Render(PeriodSize));
        state.PauseTiming();
        run.synthesiser->Render(SampleRate / 2);  // the xylophone dies away
        state.ResumeTiming();
    }
    state.counters["period_ms"] = 1000.0 * PeriodSize / SampleRate;
    state.counters["buffer_ms"] = 1000.0 * PeriodSize * Periods / SampleRate;
}
BENCHMARK(PlayNoteToSound)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
