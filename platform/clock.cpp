#include <time.h>

#include <chrono>
#include <thread>

#include "platform/platform.h"

std::uint32_t TickCount() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000 +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
    return static_cast<std::uint32_t>(ms);
}

// A plain sleep: no window message is handled meanwhile, so no repaint and no hook.
void Pause(int milliseconds) {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}
