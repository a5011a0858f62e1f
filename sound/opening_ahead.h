// A device whose opening starts at once, on a thread of its own, so that it runs while the
// rest of start-up does; Open only collects the result.
#pragma once

#include <future>
#include <memory>

#include "sound/sound.h"

class OpeningAhead : public MidiDevice {
  public:
    explicit OpeningAhead(std::unique_ptr<MidiDevice> device);

    bool Open() override;  // waits for the opening begun by the constructor
    bool Send(std::uint32_t message) override { return device_->Send(message); }

  private:
    std::unique_ptr<MidiDevice> device_;
    std::future<bool> opened_;  // declared last: waited for before the device goes
};
