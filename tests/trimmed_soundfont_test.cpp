// The soundfont as the synthesiser reads it, trimmed to the game's instruments: the same
// sound from a fraction of the memory, and files it cannot trim are refused whole.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "sound/trimmed_soundfont.h"
#include "tests/file_bytes.h"
#include "tests/sound_support.h"

namespace {

std::filesystem::path TempFile(const std::string& name) {
    return std::filesystem::path(::testing::TempDir()) / (name + std::to_string(getpid()));
}

std::filesystem::path TrimmedCopy(const std::filesystem::path& from) {
    auto trimmed = TrimmedSoundfont::Open(from, ChannelInstruments);
    EXPECT_TRUE(trimmed);
    std::string bytes(trimmed ? trimmed->Size() : 0, '\0');
    EXPECT_TRUE(trimmed && trimmed->Read(0, bytes));
    const auto path = TempFile("trimmed.sf2");
    WriteBytes(path, bytes);
    return path;
}

// FluidSynth alone, with no loader of ours: what the whole file gives.
struct PlainSynth {
    explicit PlainSynth(const std::filesystem::path& soundfont) {
        fluid_settings_setnum(settings, "synth.sample-rate", 44100);
        fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
        synth = new_fluid_synth(settings);
        id = fluid_synth_sfload(synth, soundfont.c_str(), 1);
    }
    ~PlainSynth() {
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
    }
    std::vector<float> Play(int channel, int note) {
        fluid_synth_program_change(synth, channel, ChannelInstruments[channel]);
        fluid_synth_noteon(synth, channel, note, 127);
        std::vector<float> samples(2 * 44100 / 4);
        fluid_synth_write_float(synth, samples.size() / 2, samples.data(), 0, 2, samples.data(), 1,
                                2);
        return samples;
    }
    std::set<std::pair<int, int>> Presets() {
        std::set<std::pair<int, int>> presets;
        fluid_sfont_t* sfont = fluid_synth_get_sfont_by_id(synth, id);
        fluid_sfont_iteration_start(sfont);
        while (fluid_preset_t* preset = fluid_sfont_iteration_next(sfont)) {
            presets.emplace(fluid_preset_get_banknum(preset), fluid_preset_get_num(preset));
        }
        return presets;
    }

    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = nullptr;
    int id = FLUID_FAILED;
};

TEST(TrimmedSoundfont, HoldsTheGamesInstrumentsAloneAndSoundsAsTheWholeFile) {
    ASSERT_TRUE(ProjectSoundfontInstalled());
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    PlainSynth whole(ProjectSoundfont);
    PlainSynth trimmed(TrimmedCopy(ProjectSoundfont));
    ASSERT_NE(trimmed.id, FLUID_FAILED);
    EXPECT_EQ(trimmed.Presets(), (std::set<std::pair<int, int>>{{0, 13}, {0, 14}, {0, 55}}));
    for (const auto& [channel, note] : {std::pair{0, 64}, {1, 80}, {2, 69}, {1, 64}}) {
        EXPECT_EQ(trimmed.Play(channel, note), whole.Play(channel, note)) << channel;
    }
}

// Each case spoils a copy of the project's soundfont in one way.
TEST(TrimmedSoundfont, RefusesWhatItCannotTrimSafely) {
    ASSERT_TRUE(ProjectSoundfontInstalled());
    const std::string original = ReadBytes(ProjectSoundfont).value_or("");
    const std::size_t presetData = original.rfind("pdta") - 8;
    const std::vector<std::pair<std::string, std::string>> spoilt = {
        {"not a soundfont", std::string("RIFF\x04\0\0\0WAVE", 12)},
        {"cut inside its preset data", original.substr(0, original.size() - 100)},
        {"preset data not last", original + std::string("LIST\x04\0\0\0INFO", 12)},
        {"no preset data", original.substr(0, presetData)},
    };
    for (const auto& [name, bytes] : spoilt) {
        const auto path = TempFile("spoilt.sf2");
        WriteBytes(path, bytes);
        EXPECT_FALSE(TrimmedSoundfont::Open(path, ChannelInstruments)) << name;
    }
}

}  // namespace
