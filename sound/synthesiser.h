// The embedded FluidSynth synthesiser behind NewSynthesiser. Opening it blocks for nothing:
// the synthesiser is made and its soundfont loaded on a thread of its own, and messages
// that come meanwhile wait inside and play, in order, once it is in.
// A thread of its own renders into the output while a note or its reverb sounds, and
// sleeps, the output paused, from then until the next note.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "sound/audio_output.h"
#include "sound/sound.h"

constexpr int SampleRate = 44100;  // frames per second
constexpr int PeriodSize = 256;    // frames rendered and handed to the output at a time
constexpr int Periods = 2;         // the most an output buffers: 512 frames, 11.6 ms

struct SynthesiserSetup {
    std::vector<std::filesystem::path> soundfonts;  // the first that is one is loaded
};

// The General MIDI soundfonts Debian installs.
SynthesiserSetup PlayerSetup();

class Synthesiser : public MidiDevice {
  public:
    // Plays into `output`, opened beforehand; without one it only renders (Render).
    explicit Synthesiser(SynthesiserSetup setup, std::unique_ptr<AudioOutput> output = nullptr);
    ~Synthesiser() override;

    bool Open() override;  // false when no soundfont or synthesiser can be had
    bool Send(std::uint32_t message) override;

    // Returns once the soundfont is in (or would not load) and waiting messages have played.
    void AwaitSoundfont();
    // Without an audio output: waits for the soundfont, then renders the next frames as an
    // audio output would, both channels mixed into one.
    std::vector<float> Render(int frames);

  private:
    struct Engine;
    SynthesiserSetup setup_;
    std::unique_ptr<AudioOutput> output_;  // until Open hands it to the engine
    std::unique_ptr<Engine> engine_;
};
