#include <string>

#include "core/core.h"

namespace {

std::string TwoDigits(int number) {
    std::string text = std::to_string(number);
    return text.size() < 2 ? "0" + text : text;
}

}  // namespace

void ReadChrono(GameState& state, std::uint32_t now) {
    if (state.Playing == 1) {
        state.ChronoNow = now;
    }
}

std::int32_t ChronoValue(const GameState& state) {
    return static_cast<std::int32_t>(state.ChronoNow - state.ChronoStart);
}

std::int32_t StopChrono(GameState& state, std::uint32_t now) {
    state.ChronoNow = now;
    state.Playing = 0;
    return ChronoValue(state);
}

// Milliseconds are cut, not rounded. From 100 minutes on every minute digit shows.
std::string TimeText(std::int32_t ms) {
    const int minutes = ms / 60000;
    int rest = ms - 60000 * minutes;
    const int seconds = rest / 1000;
    rest -= 1000 * seconds;
    const int hundredths = rest / 10;
    return TwoDigits(minutes) + ":" + TwoDigits(seconds) + ":" + TwoDigits(hundredths);
}
