#include "ranking/panel_text.h"

namespace {

constexpr int NameWidth = 80;  // pixels

}  // namespace

std::string PlaceText(int place) {
    const std::string digits = std::to_string(place);
    return digits.size() < 2 ? "0" + digits : digits.substr(0, 2);
}

std::string FittedName(const RankingEntry& entry,
                       const std::function<int(std::string_view)>& measure) {
    std::string text;
    for (const char byte : entry.name) {
        if (byte == '\0') {
            continue;
        }
        text.push_back(byte);
        if (measure(text) > NameWidth) {
            break;
        }
    }
    return text;
}
