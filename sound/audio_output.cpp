#include "sound/audio_output.h"

std::unique_ptr<AudioOutput> OpenAudioOutput(std::string_view name, int sampleRate,
                                             int periodFrames) {
    if (name == "pulseaudio") {
        return OpenPulseOutput(sampleRate, periodFrames);
    }
    if (name == "alsa") {
        return OpenAlsaOutput(sampleRate, periodFrames);
    }
    return nullptr;
}
