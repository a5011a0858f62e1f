// Where the synthesiser's sound goes: a sound server's stream or the sound card, fed period
// by period by the synthesiser's own thread, and paused whenever the game is silent.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

class AudioOutput {
  public:
    virtual ~AudioOutput() = default;
    // Blocks until the interleaved 16-bit stereo frames are taken, starting the output again
    // after a pause; false when the output has broken.
    virtual bool Write(std::span<const std::int16_t> samples) = 0;
    // Drops what waits and stops taking sound, so that silence costs no wake-up at all.
    virtual void Pause() = 0;
};

// A player's output: PulseAudio (which also serves PipeWire desktops), else ALSA's default
// device; paused from the start, and nothing when neither opens.
std::unique_ptr<AudioOutput> OpenPlayerOutput(int sampleRate, int periodFrames);

std::unique_ptr<AudioOutput> OpenPulseOutput(int sampleRate, int periodFrames);
std::unique_ptr<AudioOutput> OpenAlsaOutput(int sampleRate, int periodFrames);
