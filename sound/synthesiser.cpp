#include "sound/synthesiser.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

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
        // The file output stands in for a sound device in benchmarks; it writes nowhere.
        fluid_settings_setstr(settings.get(), "audio.file.name", "/dev/null");
    }
    return settings;
}

Fluid<fluid_audio_driver_t> FirstAudioOutput(fluid_settings_t* settings, fluid_synth_t* synth,
                                             const std::vector<std::string>& drivers) {
    for (const auto& driver : drivers) {
        fluid_settings_setstr(settings, "audio.driver", driver.c_str());
        if (Fluid<fluid_audio_driver_t> output{new_fluid_audio_driver(settings, synth)}) {
            return output;
        }
    }
    return nullptr;
}

}  // namespace

struct Synthesiser::Engine {
    Fluid<fluid_settings_t> settings;
    Fluid<fluid_synth_t> synth;
    Fluid<fluid_audio_driver_t> output;

    std::mutex mutex;
    bool loadDone = false;               // guarded by mutex
    bool soundless = false;              // the soundfont would not load: messages play nothing
    std::vector<std::uint32_t> waiting;  // sent before the load was done
    std::thread loader;

    ~Engine() {
        if (loader.joinable()) {
            loader.join();
        }
    }

    void Load(const std::filesystem::path& soundfont) {
        const bool loaded = fluid_synth_sfload(synth.get(), soundfont.c_str(), 1) != FLUID_FAILED;
        const std::lock_guard lock(mutex);
        soundless = !loaded;
        for (const std::uint32_t message : waiting) {
            Play(message);
        }
        waiting.clear();
        loadDone = true;
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
    engine->synth.reset(new_fluid_synth(engine->settings.get()));
    if (!engine->synth) {
        return false;
    }
    if (!setup_.audioDrivers.empty()) {
        engine->output =
            FirstAudioOutput(engine->settings.get(), engine->synth.get(), setup_.audioDrivers);
        if (!engine->output) {
            return false;
        }
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

std::vector<float> Synthesiser::Render(int frames) {
    std::vector<float> mixed(frames);
    if (!engine_ || engine_->output) {
        return mixed;
    }
    if (engine_->loader.joinable()) {
        engine_->loader.join();
    }
    std::vector<float> right(frames);
    fluid_synth_write_float(engine_->synth.get(), frames, mixed.data(), 0, 1, right.data(), 0, 1);
    for (int i = 0; i < frames; ++i) {
        mixed[i] = (mixed[i] + right[i]) / 2;
    }
    return mixed;
}
