// A soundfont as FluidSynth is given it: with the presets of the game's programs alone.
// FluidSynth makes the zones of every preset in a file as it loads it, some 2 kB each,
// which for a General MIDI soundfont is megabytes for instruments the game never plays.
#pragma once

#include <fluidsynth.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>

// The file's own bytes up to its preset data, then preset data holding only the presets
// of the given programs, in any bank. The samples stay where they are in the file, so
// every sample offset still holds and the samples are read from the file itself.
class TrimmedSoundfont {
  public:
    // Nothing when the file is no soundfont laid out as usual, its preset data last.
    static std::optional<TrimmedSoundfont> Open(const std::filesystem::path& file,
                                                std::span<const int> programs);

    std::int64_t Size() const;
    // Fills all of `into` from `offset`; false where that passes the end or the file fails.
    bool Read(std::int64_t offset, std::span<char> into);

  private:
    std::ifstream file_;
    std::string header_;         // the RIFF header, sized for the trimmed content
    std::int64_t presetsAt_{0};  // where the file's preset data begin, and the trimmed ones
    std::string presets_;        // the trimmed preset data: a whole LIST chunk
};

// From now on the synthesiser reads soundfonts trimmed to the game's instruments, and
// whole where one cannot be trimmed.
void ReadGameInstrumentsOnly(fluid_synth_t* synth, fluid_settings_t* settings);
