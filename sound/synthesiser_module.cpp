// The entry of the module the game loads once an audio output has opened.
#include "sound/synthesiser.h"

// A plain function and plain pointers, as dlsym finds them: the device owns the output it
// is given, and the caller owns the device.
extern "C" __attribute__((visibility("default"))) MidiDevice* QuickstackNewSynthesiser(
    AudioOutput* output) {
    return std::make_unique<Synthesiser>(PlayerSetup(), std::unique_ptr<AudioOutput>(output))
        .release();
}
