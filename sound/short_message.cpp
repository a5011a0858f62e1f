#include "sound/short_message.h"

#include "sound/sound.h"

namespace {

struct ShortMessage {
    int kind;     // the status byte's high four bits
    int channel;  // its low four bits
    int data1;
    int data2;
};

ShortMessage Unpack(std::uint32_t message) {
    const auto byte = [message](int index) {
        return static_cast<int>(message >> (8 * index)) & 0xFF;
    };
    return {byte(0) & 0xF0, byte(0) & 0x0F, byte(1), byte(2)};
}

// FluidSynth reports a note off of a note that is not sounding as a failure; for a MIDI
// device that is an ordinary message, and every PlayNote starts with one.
bool EndNote(fluid_synth_t* synth, const ShortMessage& m) {
    fluid_synth_noteoff(synth, m.channel, m.data1);
    return true;
}

}  // namespace

bool IsShortMessage(std::uint32_t message) {
    const ShortMessage m = Unpack(message);
    const bool knownKind = m.kind == NoteOff || m.kind == NoteOn || m.kind == ProgramChange;
    return knownKind && m.data1 < 0x80 && m.data2 < 0x80 && message >> 24 == 0;
}

bool StrikesNote(std::uint32_t message) {
    const ShortMessage m = Unpack(message);
    return m.kind == NoteOn && m.data2 > 0;
}

bool PlayShortMessage(fluid_synth_t* synth, std::uint32_t message) {
    const ShortMessage m = Unpack(message);
    switch (m.kind) {
        case NoteOff:
            return EndNote(synth, m);
        case NoteOn:
            // A strike at velocity 0 is a note off in MIDI.
            return m.data2 == 0
                       ? EndNote(synth, m)
                       : fluid_synth_noteon(synth, m.channel, m.data1, m.data2) == FLUID_OK;
        case ProgramChange:
            return fluid_synth_program_change(synth, m.channel, m.data1) == FLUID_OK;
        default:
            return false;
    }
}
