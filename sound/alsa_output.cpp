#include <alsa/asoundlib.h>

#include "sound/audio_output.h"

namespace {

constexpr int Channels = 2;
constexpr int BufferPeriods = 2;

void IgnoreError(const char*, int, const char*, int, const char*, ...) {}

// ALSA keeps the configuration it has read for the openings to come. After a refusal none
// comes, and its library is unloaded with the output's module, which would lose that
// memory for good.
std::unique_ptr<AudioOutput> Refused(snd_pcm_t* pcm) {
    if (pcm) {
        snd_pcm_close(pcm);
    }
    snd_config_update_free_global();
    return nullptr;
}

class AlsaOutput : public AudioOutput {
  public:
    explicit AlsaOutput(snd_pcm_t* pcm) : pcm_(pcm) {}
    ~AlsaOutput() override { snd_pcm_close(pcm_); }
    AlsaOutput(const AlsaOutput&) = delete;
    AlsaOutput& operator=(const AlsaOutput&) = delete;

    bool Write(std::span<const std::int16_t> samples) override {
        if (paused_ && snd_pcm_prepare(pcm_) < 0) {
            return false;
        }
        paused_ = false;
        while (!samples.empty()) {
            const snd_pcm_sframes_t written =
                snd_pcm_writei(pcm_, samples.data(), samples.size() / Channels);
            if (written < 0) {
                // An underrun, or a suspended card that has come back.
                if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0) {
                    return false;
                }
                continue;
            }
            samples = samples.subspan(static_cast<std::size_t>(written) * Channels);
        }
        return true;
    }

    // Stopped, not fed silence: the card's interrupts no longer wake the program.
    void Pause() override {
        snd_pcm_drop(pcm_);
        paused_ = true;
    }

  private:
    snd_pcm_t* pcm_;
    bool paused_ = false;
};

}  // namespace

std::unique_ptr<AudioOutput> OpenAlsaOutput(int sampleRate, int periodFrames) {
    // A player's terminal gets no log: the one box says all there is to say.
    snd_lib_error_set_handler(IgnoreError);
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        return Refused(nullptr);
    }
    const auto latency =
        static_cast<unsigned>(1'000'000LL * BufferPeriods * periodFrames / sampleRate);  // µs
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, Channels,
                           static_cast<unsigned>(sampleRate), 1, latency) < 0) {
        return Refused(pcm);
    }
    auto output = std::make_unique<AlsaOutput>(pcm);
    output->Pause();
    return output;
}
