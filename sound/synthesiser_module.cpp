// The entry of the module the game loads at run time.
#include "sound/synthesiser.h"

// A plain function and a plain pointer, as dlsym finds them; the caller owns the device.
extern "C" __attribute__((visibility("default"))) MidiDevice* QuickstackNewSynthesiser() {
    return std::make_unique<Synthesiser>(PlayerSetup()).release();
}
