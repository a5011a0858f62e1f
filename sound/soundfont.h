// Finding the General MIDI soundfont the synthesiser loads.
#pragma once

#include <filesystem>
#include <optional>
#include <span>

// The first of the candidates that is a SoundFont 2 file; a missing file, a broken link
// or a file of another kind is passed over.
std::optional<std::filesystem::path> FindSoundfont(
    std::span<const std::filesystem::path> candidates);
