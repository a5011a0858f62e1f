#include <iterator>

#include "sound/sound.h"

namespace {

// The box texts, in Windows-1252 like every text of the game.
constexpr std::string_view ProblemTitle = "Probl\xE8me";
constexpr std::string_view OpenFailedText = "Impossible d'ouvrir le p\xE9riph\xE9rique MIDI";
constexpr std::string_view SendFailedText = "Erreur dans l'envoi du message MIDI";

int Low8(int value) {
    return value & 0xFF;
}

void ShowProblemBox(const Midi& midi, std::string_view text) {
    if (midi.showProblem) {
        midi.showProblem(ProblemTitle, text);
    }
}

}  // namespace

void OpenMidiOutput(Midi& midi) {
    if (midi.MidiReady == 1) {
        return;
    }
    if (!midi.MidiOut || !midi.MidiOut->Open()) {
        ShowProblemBox(midi, OpenFailedText);
        return;
    }
    SendMidiMessage(midi, ProgramChange, 0, 0, 0);
    midi.MidiReady = 1;
}

int SendMidiMessage(Midi& midi, int status, int channel, int data1, int data2) {
    const auto message =
        static_cast<std::uint32_t>(Low8(status | channel) | Low8(data1) << 8 | Low8(data2) << 16);
    if (!midi.MidiOut || !midi.MidiOut->Send(message)) {
        ShowProblemBox(midi, SendFailedText);
    }
    return 0;
}

void PlayNote(Midi& midi, int channel, int note, int releaseVelocity, int strikeVelocity) {
    if (midi.MidiReady == 0) {
        return;
    }
    SendMidiMessage(midi, NoteOff | Low8(channel), 0, Low8(note), Low8(releaseVelocity));
    SendMidiMessage(midi, NoteOn | Low8(channel), 0, Low8(note), Low8(strikeVelocity));
}

void SelectInstrument(Midi& midi, int channel, int program) {
    if (midi.MidiReady == 0) {
        return;
    }
    SendMidiMessage(midi, ProgramChange | Low8(channel), 0, Low8(program), 0);
}

void OpenSound(Midi& midi) {
    OpenMidiOutput(midi);
    for (int channel = 0; channel < std::ssize(ChannelInstruments); ++channel) {
        SelectInstrument(midi, channel, ChannelInstruments[channel]);
    }
}
