#include "sound/soundfont.h"

#include <array>
#include <fstream>
#include <string_view>

namespace {

// A SoundFont 2 file is a RIFF file of form "sfbk": its first twelve bytes tell it.
bool IsSoundfont(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return false;
    }
    std::array<char, 12> header{};
    std::ifstream stream(file, std::ios::binary);
    if (!stream.read(header.data(), header.size())) {
        return false;
    }
    const std::string_view bytes(header.data(), header.size());
    return bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "sfbk";
}

}  // namespace

std::optional<std::filesystem::path> FindSoundfont(
    std::span<const std::filesystem::path> candidates) {
    for (const auto& candidate : candidates) {
        if (IsSoundfont(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}
