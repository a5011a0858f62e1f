// The game's sound effects: single General MIDI notes on three instruments, sent as short
// messages to one MIDI output device. Once opening has failed, notes and instruments do nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

// Status bytes of the three kinds of message the game sends, before the channel is added.
constexpr int NoteOff = 0x80;
constexpr int NoteOn = 0x90;
constexpr int ProgramChange = 0xC0;

// A short message packs (status | channel) | data1 << 8 | data2 << 16 into 32 bits.
class MidiDevice {
  public:
    virtual ~MidiDevice() = default;
    virtual bool Open() = 0;                       // false: the device cannot be had
    virtual bool Send(std::uint32_t message) = 0;  // false: the device refused the message
};

// The stand-in for MIDI output device 0: an embedded FluidSynth synthesiser with a General
// MIDI soundfont, playing through PulseAudio or else ALSA's default device. Its opening
// begins at once on a thread of its own; Open collects the result.
std::unique_ptr<MidiDevice> NewSynthesiser();

// Keeps every message it accepts; a test can make it refuse opening or sending.
class MidiRecorder : public MidiDevice {
  public:
    bool Open() override { return opened = !refuseOpen; }
    bool Send(std::uint32_t message) override {
        if (!opened || refuseSend) {
            return false;
        }
        sent.push_back(message);
        return true;
    }

    bool refuseOpen = false;
    bool refuseSend = false;
    bool opened = false;
    std::vector<std::uint32_t> sent;
};

// Shows the "Problème" box with one OK button. Title and text are Windows-1252 bytes.
using ShowProblem = std::function<void(std::string_view title, std::string_view text)>;

struct Midi {
    std::unique_ptr<MidiDevice> MidiOut;
    ShowProblem showProblem;
    std::uint8_t MidiReady = 0;  // 1 once MidiOut is open; never reset
};

// Opens MidiOut and sets channel 0 to program 0; on failure shows one box, and the game
// goes on silent.
void OpenMidiOutput(Midi& midi);
// Sends one short message whether or not MidiReady is set; a refusal shows a box.
int SendMidiMessage(Midi& midi, int status, int channel, int data1, int data2);  // always 0
// Strikes a note after a note off of the same note, which cuts a strike still ringing.
void PlayNote(Midi& midi, int channel, int note, int releaseVelocity, int strikeVelocity);
void SelectInstrument(Midi& midi, int channel, int program);

// The General MIDI programs of the game's three channels: Xylophone, Tubular Bells and
// Orchestra Hit.
constexpr int ChannelInstruments[] = {13, 14, 55};
// Opens the output as the game starts: OpenMidiOutput, then each channel's instrument.
void OpenSound(Midi& midi);
