#include "sound/synthesiser.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>

#include "sound/short_message.h"
#include "sound/soundfont.h"

namespace {

struct FluidDeleter {
    void operator()(fluid_settings_t* settings) const { delete_fluid_settings(settings); }
    void operator()(fluid_synth_t* synth) const { delete_fluid_synth(synth); }
    void operator()(fluid_audio_driver_t* driver) const { delete_fluid_audio_driver(driver); }
};
template <typename T>
using Fluid = std::unique_ptr<T, FluidDeleter>;

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// A player's terminal gets no log: the one box says all there is to say.
void SilenceLibraries() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
    snd_lib_error_set_handler(IgnoreAlsaError);
}

Fluid<fluid_settings_t> LowLatencySettings() {
    Fluid<fluid_settings_t> settings(new_fluid_settings());
    if (settings) {
        fluid_settings_setnum(settings.get(), "synth.sample-rate", SampleRate);
        fluid_settings_setint(settings.get(), "audio.period-size", PeriodSize);
        fluid_settings_setint(settings.get(), "audio.periods", Periods);
        // Only the samples of the instruments in use are read, which keeps memory small
        // even with a large soundfont.
        fluid_settings_setint(settings.get(), "synth.dynamic-sample-loading", 1);
        // Single notes, a few at a time: a quarter of the default voices is plenty.
        fluid_settings_setint(settings.get(), "synth.polyphony", 64);
    }
    return settings;
}

// Longer than the reverb and chorus ring after the last voice: well below hearing by then.
constexpr int EffectsTailFrames = 3 * SampleRate;

}  // namespace

struct Synthesiser::Engine {
    Fluid<fluid_settings_t> settings;
    Fluid<fluid_synth_t> synth;                  // made by the loader
    std::atomic<fluid_synth_t*> heard{nullptr};  // what the audio output plays, once all is in
    Fluid<fluid_audio_driver_t> output;          // stops before the synthesiser goes
    int quietFrames = 0;                         // rendered since the last voice ended

    std::mutex mutex;  // guards the three below
    bool loadDone = false;
    bool soundless = false;              // the soundfont would not load: messages play nothing
    std::vector<std::uint32_t> waiting;  // sent before the load was done
    std::thread loader;

    ~Engine() {
        if (loader.joinable()) {
            loader.join();
        }
    }

    bool OpenAudioOutput(const std::vector<std::string>& drivers) {
        for (const auto& driver : drivers) {
            fluid_settings_setstr(settings.get(), "audio.driver", driver.c_str());
            output.reset(new_fluid_audio_driver2(settings.get(), &Engine::FillPeriod, this));
            if (output) {
                return true;
            }
        }
        return false;
    }

    // On the audio output's thread: silence until the synthesiser is ready, then its sound
    // with the reverb and chorus mixed in, as the outputs have no separate effect channels.
    // Once no voice has sounded for longer than the effects ring, the synthesiser is left
    // idle: rendering silence would cost the game's CPU 172 times a second for nothing.
    static int FillPeriod(void* data, int frames, int, float*[], int channels, float* out[]) {
        Engine& engine = *static_cast<Engine*>(data);
        fluid_synth_t* synth = engine.heard.load(std::memory_order_acquire);
        if (!synth || channels < 2) {
            return FLUID_OK;
        }
        if (fluid_synth_get_active_voice_count(synth) > 0) {
            engine.quietFrames = 0;
        } else if (engine.quietFrames >= EffectsTailFrames) {
            return FLUID_OK;  // the output's buffers come zeroed
        } else {
            engine.quietFrames += frames;
        }
        float* effects[] = {out[0], out[1], out[0], out[1]};
        return fluid_synth_process(synth, frames, 4, effects, channels, out);
    }

    // On the loader's thread, which takes what would otherwise hold up the first frame.
    void Load(const std::filesystem::path& soundfont) {
        synth.reset(new_fluid_synth(settings.get()));
        const bool loaded =
            synth && fluid_synth_sfload(synth.get(), soundfont.c_str(), 1) != FLUID_FAILED;
        const std::lock_guard lock(mutex);
        soundless = !loaded;
        for (const std::uint32_t message : waiting) {
            Play(message);
        }
        waiting.clear();
        loadDone = true;
        if (loaded) {
            heard.store(synth.get(), std::memory_order_release);
        }
    }

    bool Play(std::uint32_t message) { return soundless || PlayShortMessage(synth.get(), message); }
};

SynthesiserSetup PlayerSetup() {
    const std::filesystem::path directory = "/usr/share/sounds/sf2";
    return {
        {"pulseaudio", "alsa"},
        {directory / "default-GM.sf2", directory / "FluidR3_GM.sf2", directory / "TimGM6mb.sf2"}};
}

std::unique_ptr<MidiDevice> NewSynthesiser() {
    return std::make_unique<Synthesiser>(PlayerSetup());
}

Synthesiser::Synthesiser(SynthesiserSetup setup) : setup_(std::move(setup)) {}

Synthesiser::~Synthesiser() = default;

bool Synthesiser::Open() {
    engine_.reset();
    SilenceLibraries();
    const auto soundfont = FindSoundfont(setup_.soundfonts);
    if (!soundfont) {
        return false;
    }
    auto engine = std::make_unique<Engine>();
    engine->settings = LowLatencySettings();
    if (!engine->settings) {
        return false;
    }
    if (!setup_.audioDrivers.empty() && !engine->OpenAudioOutput(setup_.audioDrivers)) {
        return false;
    }
    try {
        engine->loader = std::thread(&Engine::Load, engine.get(), *soundfont);
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
    if (!engine_->loadDone) {
        engine_->waiting.push_back(message);
        return true;
    }
    return engine_->Play(message);
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
    float* out[] = {left.data(), right.data()};
    Engine::FillPeriod(engine_.get(), frames, 0, nullptr, 2, out);
    for (int i = 0; i < frames; ++i) {
        left[i] = (left[i] + right[i]) / 2;
    }
    return left;
}
