// What the sound tests share: the boxes a run shows, and the soundfont the project installs.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "sound/sound.h"

// The exact box texts, in Windows-1252.
inline const std::string ProblemTitle = "Probl\xE8me";
inline const std::string OpenFailedText = "Impossible d'ouvrir le p\xE9riph\xE9rique MIDI";
inline const std::string SendFailedText = "Erreur dans l'envoi du message MIDI";

inline const std::filesystem::path ProjectSoundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// Tests that need real sound fail, not pass, when the soundfont is not there.
inline ::testing::AssertionResult ProjectSoundfontInstalled() {
    if (std::filesystem::exists(ProjectSoundfont)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << ProjectSoundfont << " is missing: scripts/install-deps installs it";
}

using Box = std::pair<std::string, std::string>;  // title, text

struct ShownBoxes {
    std::vector<Box> boxes;
    ShowProblem Recorder() {
        return [this](std::string_view title, std::string_view text) {
            boxes.emplace_back(title, text);
        };
    }
};

// The packing of a short message, written out byte by byte.
constexpr std::uint32_t Packed(int status, int data1, int data2) {
    return static_cast<std::uint32_t>(status | data1 << 8 | data2 << 16);
}
