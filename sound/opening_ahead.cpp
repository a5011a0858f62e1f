#include "sound/opening_ahead.h"

#include <system_error>

OpeningAhead::OpeningAhead(std::unique_ptr<MidiDevice> device) : device_(std::move(device)) {
    try {
        opened_ =
            std::async(std::launch::async, [device = device_.get()] { return device->Open(); });
    } catch (const std::system_error&) {
        // No thread to spare: Open opens the device itself.
    }
}

bool OpeningAhead::Open() {
    return opened_.valid() ? opened_.get() : device_->Open();
}
