#include "sound/audio_output.h"

std::unique_ptr<AudioOutput> OpenPlayerOutput(int sampleRate, int periodFrames) {
    if (auto output = OpenPulseOutput(sampleRate, periodFrames)) {
        return output;
    }
    return OpenAlsaOutput(sampleRate, periodFrames);
}
