// What sound costs the game: how long start-up waits for it, how soon a note is heard,
// and how much memory it takes. How soon a note reaches a sound server's sink is measured
// on a PulseAudio server whose default sink is a null sink, which scripts/measure starts;
// by hand, a server of one's own:
//   pulseaudio -n --exit-idle-time=-1 -L module-native-protocol-unix -L module-null-sink &
// Where no sound device opens, the rest runs on a stand-in:
//   ALSA_CONFIG_PATH=bench/alsa-null.conf PULSE_SERVER=none build/bench/sound_bench
#include <benchmark/benchmark.h>
#include <pulse/simple.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>
#include <optional>
#include <thread>

#include "sound/synthesiser.h"

namespace {

using Clock = std::chrono::steady_clock;

enum Output { PlayersOutputs, NoOutput };

std::unique_ptr<AudioOutput> OutputFor(int output) {
    return output == PlayersOutputs ? OpenPlayerOutput(SampleRate, PeriodSize) : nullptr;
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
    explicit SoundRun(int output) : output(output) {}
    // Opens the output, then the synthesiser, as the game's start-up does.
    void StartUp() {
        auto owned = std::make_unique<Synthesiser>(PlayerSetup(), OutputFor(output));
        synthesiser = owned.get();
        midi = Midi{std::move(owned), nullptr};
        OpenSound(midi);
    }
    int output;
    Synthesiser* synthesiser = nullptr;
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
// how long until the soundfont is in: with the player's output and with none.
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

// Records the default sink's monitor in chunks of well under a millisecond, on a thread of
// its own, and tells when the first chunk louder than what came just before arrived.
class SinkMonitor {
  public:
    SinkMonitor() {
        const pa_sample_spec format{PA_SAMPLE_S16LE, SampleRate, 1};
        const pa_buffer_attr buffer{.maxlength = static_cast<std::uint32_t>(-1),
                                    .tlength = static_cast<std::uint32_t>(-1),
                                    .prebuf = static_cast<std::uint32_t>(-1),
                                    .minreq = static_cast<std::uint32_t>(-1),
                                    .fragsize = sizeof(Chunk)};
        stream_ = pa_simple_new(nullptr, "sound_bench", PA_STREAM_RECORD, "@DEFAULT_MONITOR@",
                                "sink monitor", &format, nullptr, &buffer, nullptr);
        if (stream_) {
            recorder_ = std::jthread([this](std::stop_token stop) { Record(stop); });
        }
    }
    ~SinkMonitor() {
        recorder_ = {};
        if (stream_) {
            pa_simple_free(stream_);
        }
    }
    SinkMonitor(const SinkMonitor&) = delete;
    SinkMonitor& operator=(const SinkMonitor&) = delete;

    bool Recording() const { return stream_ != nullptr; }

    // From now on, a chunk twice as loud as the last 20 ms, and at least -40 dB, is heard.
    void Listen() {
        const std::lock_guard lock(mutex_);
        const int recent = recent_.empty() ? 0 : *std::max_element(recent_.begin(), recent_.end());
        threshold_ = std::max(MinimumLoud, 2 * recent);
        heard_.reset();
    }
    // When it came, or nothing within a second.
    std::optional<Clock::time_point> AwaitHeard() {
        std::unique_lock lock(mutex_);
        heardChanged_.wait_for(lock, std::chrono::seconds(1),
                               [this] { return heard_.has_value(); });
        threshold_ = Never;
        return heard_;
    }

  private:
    using Chunk = std::array<std::int16_t, 32>;  // 0.73 ms
    static constexpr int MinimumLoud = 328;
    static constexpr int Never = 1 << 20;
    static constexpr std::size_t RecentChunks = 28;  // 20 ms

    void Record(const std::stop_token& stop) {
        Chunk chunk{};
        while (!stop.stop_requested() &&
               pa_simple_read(stream_, chunk.data(), sizeof(chunk), nullptr) >= 0) {
            const auto arrived = Clock::now();
            int peak = 0;
            for (const std::int16_t sample : chunk) {
                peak = std::max(peak, std::abs(int{sample}));
            }
            const std::lock_guard lock(mutex_);
            if (!heard_ && peak >= threshold_) {
                heard_ = arrived;
                heardChanged_.notify_one();
            }
            recent_.push_back(peak);
            if (recent_.size() > RecentChunks) {
                recent_.pop_front();
            }
        }
    }

    pa_simple* stream_ = nullptr;
    std::mutex mutex_;
    std::condition_variable heardChanged_;
    std::deque<int> recent_;
    int threshold_ = Never;
    std::optional<Clock::time_point> heard_;
    std::jthread recorder_;
};

// The time from PlayNote to the note's first loud chunk at the sink of a PulseAudio server,
// through the synthesiser's own output: after silence, when the output rests and must start
// again, and right after another note, while it plays (the same note struck again 250 ms on,
// as the count-down's last notes are 200 ms apart).
enum Moment { AfterSilence, RightAfterAnother };

void NoteHeardAtSink(benchmark::State& state) {
    SinkMonitor monitor;
    SoundRun run(PlayersOutputs);
    run.StartUp();
    run.synthesiser->AwaitSoundfont();
    if (!monitor.Recording() || run.midi.MidiReady == 0) {
        state.SkipWithError("no PulseAudio server with a default sink to record");
        return;
    }
    double worst = 0;
    for (auto _ : state) {
        // The xylophone dies away, and half a second later the output rests.
        std::this_thread::sleep_for(std::chrono::seconds(2));
        if (state.range(0) == RightAfterAnother) {
            PlayNote(run.midi, 0, 64, 127, 127);
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        monitor.Listen();
        const auto start = Clock::now();
        PlayNote(run.midi, 0, 64, 127, 127);
        const auto heard = monitor.AwaitHeard();
        if (!heard) {
            state.SkipWithError("the note never reached the sink");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(*heard - start).count());
        worst = std::max(worst, Milliseconds(*heard - start));
    }
    state.counters["worst_ms"] = worst;
}
BENCHMARK(NoteHeardAtSink)
    ->ArgName("moment")
    ->Arg(AfterSilence)
    ->Arg(RightAfterAnother)
    ->Iterations(8)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
