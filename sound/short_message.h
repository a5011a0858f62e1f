// Hands packed short messages to FluidSynth.
#pragma once

#include <fluidsynth.h>

#include <cstdint>

// A note off, note on or program change with its data bytes in 0..127 and bits 24-31 zero.
bool IsShortMessage(std::uint32_t message);
// A note on of a velocity above 0: a message that makes sound.
bool StrikesNote(std::uint32_t message);
// False when the synthesiser refuses the message.
bool PlayShortMessage(fluid_synth_t* synth, std::uint32_t message);
