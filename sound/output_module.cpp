// The entry of the module the game loads first: the audio output alone, whose libraries
// are few beside the synthesiser's.
#include "sound/audio_output.h"
#include "sound/synthesiser.h"

// A plain function and a plain pointer, as dlsym finds them; the caller owns the output.
extern "C" __attribute__((visibility("default"))) AudioOutput* QuickstackOpenOutput() {
    return OpenPlayerOutput(SampleRate, PeriodSize).release();
}
