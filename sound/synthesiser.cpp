#include "sound/synthesiser.h"

#include <fluidsynth.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <span>
#include <system_error>
#include <thread>

#include "sound/audio_output.h"
#include "sound/short_message.h"
#include "sound/soundfont.h"
#include "sound/trimmed_soundfont.h"

namespace {

struct FluidDeleter {
    void operator()(fluid_settings_t* settings) const { delete_fluid_settings(settings); }
    void operator()(fluid_synth_t* synth) const { delete_fluid_synth(synth); }
};
template <typename T>
using Fluid = std::unique_ptr<T, FluidDeleter>;

// A player's terminal gets no log: the one box says all there is to say.
void SilenceFluidSynth() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
}

Fluid<fluid_settings_t> SynthSettings() {
    Fluid<fluid_settings_t> settings(new_fluid_settings());
    if (settings) {
        fluid_settings_setnum(settings.get(), "synth.sample-rate", SampleRate);
        // Only the samples of the instruments in use are read, which keeps memory small
        // even with a large soundfont.
        fluid_settings_setint(settings.get(), "synth.dynamic-sample-loading", 1);
        // Single notes, a few at a time: a quarter of the default voices is plenty.
        fluid_settings_setint(settings.get(), "synth.polyphony", 64);
    }
    return settings;
}

std::int16_t ToSample(float value) {
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0F, 1.0F) * 32767));
}

// -80 dB: at most three steps of a 16-bit sample. A voice left to ring with no note off
// stays in the synthesiser for many seconds below that.
constexpr float AudibleLevel = 1e-4F;
// How long the sound stays below that before the synthesiser rests: nothing rises again
// without a new note, and the reverb's tail has died away with the rest.
constexpr int QuietTailFrames = SampleRate / 2;

bool Audible(std::span<const float> samples) {
    return std::any_of(samples.begin(), samples.end(),
                       [](float sample) { return std::abs(sample) >= AudibleLevel; });
}

}  // namespace

struct Synthesiser::Engine {
    Fluid<fluid_settings_t> settings;
    Fluid<fluid_synth_t> synth;                  // made by the loader
    std::atomic<fluid_synth_t*> heard{nullptr};  // what is rendered, once all is in
    std::unique_ptr<AudioOutput> output;         // goes before the synthesiser

    std::mutex mutex;  // guards everything below
    // Frames rendered since the sound was last audible. From the quiet tail on, the
    // synthesiser and its output rest until the next note.
    int quietFrames = QuietTailFrames;
    bool ending = false;
    std::condition_variable woken;  // a note is struck, or the engine ends
    bool loadDone = false;
    bool soundless = false;              // the soundfont would not load: messages play nothing
    std::vector<std::uint32_t> waiting;  // sent before the load was done
    std::thread loader;
    std::thread player;  // feeds the output

    ~Engine() {
        if (loader.joinable()) {
            loader.join();
        }
        {
            const std::lock_guard lock(mutex);
            ending = true;
        }
        woken.notify_one();
        if (player.joinable()) {
            player.join();
        }
    }

    // Mixes the next frames into left and right, which come zeroed, with the reverb and
    // chorus, as the outputs have no separate effect channels. Nothing is rendered once the
    // synthesiser rests.
    void Fill(int frames, float* left, float* right) {
        {
            const std::lock_guard lock(mutex);
            if (quietFrames >= QuietTailFrames) {
                return;
            }
        }
        fluid_synth_t* synth = heard.load(std::memory_order_acquire);
        if (synth) {
            float* out[] = {left, right};
            float* effects[] = {left, right, left, right};
            fluid_synth_process(synth, frames, 4, effects, 2, out);
        }
        const bool audible = Audible({left, static_cast<std::size_t>(frames)}) ||
                             Audible({right, static_cast<std::size_t>(frames)});
        const std::lock_guard lock(mutex);
        quietFrames = audible ? 0 : quietFrames + frames;
    }

    // On the player's thread: renders while there is sound, and sleeps, with the output
    // paused, from the end of the quiet tail to the next note. Rendering silence would wake
    // the program hundreds of times a second for nothing.
    void FeedOutput() {
        std::vector<float> left(PeriodSize);
        std::vector<float> right(PeriodSize);
        std::vector<std::int16_t> samples(2 * PeriodSize);
        std::unique_lock lock(mutex);
        for (;;) {
            woken.wait(lock, [this] { return ending || quietFrames < QuietTailFrames; });
            if (ending) {
                return;
            }
            lock.unlock();
            std::fill(left.begin(), left.end(), 0.0F);
            std::fill(right.begin(), right.end(), 0.0F);
            Fill(PeriodSize, left.data(), right.data());
            for (int i = 0; i < PeriodSize; ++i) {
                samples[2 * i] = ToSample(left[i]);
                samples[2 * i + 1] = ToSample(right[i]);
            }
            const bool played = output->Write(samples);
            lock.lock();
            if (!played) {
                quietFrames = QuietTailFrames;  // a broken output is tried again at the next note
            }
            if (quietFrames >= QuietTailFrames) {
                lock.unlock();
                output->Pause();
                lock.lock();
            }
        }
    }

    // On the loader's thread, which takes what would otherwise hold up the first frame.
    void Load(const std::filesystem::path& soundfont) {
        synth.reset(new_fluid_synth(settings.get()));
        if (synth) {
            ReadGameInstrumentsOnly(synth.get(), settings.get());
        }
        const bool loaded =
            synth && fluid_synth_sfload(synth.get(), soundfont.c_str(), 1) != FLUID_FAILED;
        // Reading the soundfont frees much of what it allocated, in this thread's arena,
        // which would keep it for good.
        malloc_trim(0);
        const std::lock_guard lock(mutex);
        soundless = !loaded;
        for (const std::uint32_t message : waiting) {
            WakeFor(message);
            Play(message);
        }
        waiting.clear();
        loadDone = true;
        if (loaded) {
            heard.store(synth.get(), std::memory_order_release);
        }
    }

    // Under the mutex, as the two below.
    bool Take(std::uint32_t message) {
        if (!loadDone) {
            waiting.push_back(message);
            return true;
        }
        WakeFor(message);
        return Play(message);
    }

    void WakeFor(std::uint32_t message) {
        if (StrikesNote(message)) {
            quietFrames = 0;
            woken.notify_one();
        }
    }

    bool Play(std::uint32_t message) { return soundless || PlayShortMessage(synth.get(), message); }
};

SynthesiserSetup PlayerSetup() {
    const std::filesystem::path directory = "/usr/share/sounds/sf2";
    return {
        {directory / "default-GM.sf2", directory / "FluidR3_GM.sf2", directory / "TimGM6mb.sf2"}};
}

Synthesiser::Synthesiser(SynthesiserSetup setup, std::unique_ptr<AudioOutput> output)
    : setup_(std::move(setup)), output_(std::move(output)) {}

Synthesiser::~Synthesiser() = default;

bool Synthesiser::Open() {
    if (engine_) {
        return true;
    }
    SilenceFluidSynth();
    const auto soundfont = FindSoundfont(setup_.soundfonts);
    if (!soundfont) {
        return false;
    }
    auto engine = std::make_unique<Engine>();
    engine->settings = SynthSettings();
    if (!engine->settings) {
        return false;
    }
    engine->output = std::move(output_);
    try {
        engine->loader = std::thread(&Engine::Load, engine.get(), *soundfont);
        if (engine->output) {
            engine->player = std::thread(&Engine::FeedOutput, engine.get());
        }
    } catch (const std::system_error&) {
        return false;
    }
    engine_ = std::move(engine);
    return true;
}

bool Synthesiser::Send(std::uint32_t message) {
    if (!engine_ || !IsShortMessage(message)) {
        return false;
    }
    const std::lock_guard lock(engine_->mutex);
    return engine_->Take(message);
}

void Synthesiser::AwaitSoundfont() {
    if (engine_ && engine_->loader.joinable()) {
        engine_->loader.join();
    }
}

std::vector<float> Synthesiser::Render(int frames) {
    std::vector<float> left(frames);
    if (!engine_ || engine_->output) {
        return left;
    }
    AwaitSoundfont();
    std::vector<float> right(frames);
    engine_->Fill(frames, left.data(), right.data());
    for (int i = 0; i < frames; ++i) {
        left[i] = (left[i] + right[i]) / 2;
    }
    return left;
}
