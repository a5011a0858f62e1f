// The embedded FluidSynth synthesiser behind NewSynthesiser. Opening it blocks only for
// the audio output; the synthesiser is made and its soundfont loaded on a thread of its
// own, and messages that come meanwhile wait inside and play, in order, once it is in.
// A thread of its own renders into the output while a note or its reverb sounds, and
// sleeps, the output paused, from then until the next note.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "sound/sound.h"

constexpr int SampleRate = 44100;  // frames per second
constexpr int PeriodSize = 256;    // frames rendered and handed to the output at a time
constexpr int Periods = 2;         // the most an output buffers: 512 frames, 11.6 ms

struct SynthesiserSetup {
    std::vector<std::string> audioDrivers;          // outputs tried in order; none: Render only
    std::vector<std::filesystem::path> soundfonts;  // the first that is one is loaded
};

// PulseAudio (which also serves PipeWire desktops), then ALSA's default device; the
// General MIDI soundfonts Debian installs.
SynthesiserSetup PlayerSetup();

class Synthesiser : public MidiDevice {
  public:
    explicit Synthesiser(SynthesiserSetup setup);
    ~Synthesiser() override;

    bool Open() override;  // false when no soundfont, synthesiser or audio output opens
    bool Send(std::uint32_t message) override;

    // Returns once the soundfont is in (or would not load) and waiting messages have played.
    void AwaitSoundfont();
    // Without an audio output: waits for the soundfont, then renders the next frames as an
    // audio output would, both channels mixed into one.
    std::vector<float> Render(int frames);

  private:
    struct Engine;
    SynthesiserSetup setup_;
    std::unique_ptr<Engine> engine_;
};
