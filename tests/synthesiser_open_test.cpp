// Opening the embedded synthesiser: which soundfont and which audio output it takes, and
// the one box when it cannot be had.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "sound/soundfont.h"
#include "sound/synthesiser.h"
#include "tests/sound_support.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Optional;

namespace {

namespace fs = std::filesystem;

// No sound server, and no ALSA device, as under CI, whatever the machine has.
void WithoutSoundDevices() {
    setenv("PULSE_SERVER", "unix:/nonexistent/pulse", 1);
    setenv("ALSA_CONFIG_PATH", "/dev/null", 1);
}

// No sound server, but an ALSA default device that takes sound and plays it nowhere.
void WithAlsaDeviceOnly(const fs::path& folder) {
    const fs::path config = folder / "asound.conf";
    std::ofstream(config) << "pcm.!default { type null }\n";
    setenv("PULSE_SERVER", "unix:/nonexistent/pulse", 1);
    setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
}

class SoundfontFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() /
            ("quickstack-sf2-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return folder / name;
    }

    fs::path folder;
};

const std::string SoundfontHeader = std::string("RIFF\x10\0\0\0sfbk", 12) + "LIST";

TEST_F(SoundfontFolder, TheFirstSoundfontOfTheListIsTaken) {
    const auto second = Write("FluidR3_GM.sf2", SoundfontHeader);
    const auto third = Write("TimGM6mb.sf2", SoundfontHeader);
    const std::vector<fs::path> candidates{folder / "default-GM.sf2", second, third};
    EXPECT_THAT(FindSoundfont(candidates), Optional(second));
}

TEST_F(SoundfontFolder, BrokenLinksAndOtherFilesArePassedOver) {
    fs::create_symlink(folder / "gone.sf2", folder / "default-GM.sf2");
    const auto notSoundfont = Write("FluidR3_GM.sf2", "RIFF\x10\0\0\0WAVE");
    const auto third = Write("TimGM6mb.sf2", SoundfontHeader);
    const std::vector<fs::path> candidates{folder / "default-GM.sf2", notSoundfont, third};
    EXPECT_THAT(FindSoundfont(candidates), Optional(third));
}

TEST_F(SoundfontFolder, NoSoundfontFindsNothing) {
    const std::vector<fs::path> candidates{Write("empty.sf2", ""), folder / "missing.sf2"};
    EXPECT_EQ(FindSoundfont(candidates), std::nullopt);
}

TEST(SynthesiserSetup, PlayersGetDebiansSoundfontsInOrder) {
    EXPECT_THAT(PlayerSetup().soundfonts, ElementsAre("/usr/share/sounds/sf2/default-GM.sf2",
                                                      "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                                                      "/usr/share/sounds/sf2/TimGM6mb.sf2"));
}

// The game's start-up and a few notes on a device, with the boxes they show.
struct SynthesiserRun {
    explicit SynthesiserRun(std::unique_ptr<MidiDevice> device)
        : midi{std::move(device), shown.Recorder()} {
        OpenSound(midi);
        PlayNote(midi, 0, 64, 127, 127);
        PlayNote(midi, 1, 80, 127, 127);
    }
    ShownBoxes shown;
    Midi midi;
};

// The game's own device: its output's module, then its synthesiser's, from the build tree.
TEST(SynthesiserOpen, WithoutAnySoundDeviceTheGameShowsOneBoxAndGoesOnSilent) {
    WithoutSoundDevices();
    const SynthesiserRun run(NewSynthesiser());
    EXPECT_THAT(run.shown.boxes, ElementsAre(Box{ProblemTitle, OpenFailedText}));
    EXPECT_EQ(run.midi.MidiReady, 0);
}

TEST(SynthesiserOpen, WithoutASoundfontTheGameShowsOneBoxAndGoesOnSilent) {
    const SynthesiserRun run(
        std::make_unique<Synthesiser>(SynthesiserSetup{{"/nonexistent/default-GM.sf2"}}));
    EXPECT_THAT(run.shown.boxes, ElementsAre(Box{ProblemTitle, OpenFailedText}));
    EXPECT_EQ(run.midi.MidiReady, 0);
}

TEST_F(SoundfontFolder, WithoutASoundServerAlsasDefaultDeviceIsTaken) {
    ASSERT_TRUE(ProjectSoundfontInstalled());
    WithAlsaDeviceOnly(folder);
    const SynthesiserRun run(NewSynthesiser());
    EXPECT_THAT(run.shown.boxes, IsEmpty());
    EXPECT_EQ(run.midi.MidiReady, 1);
}

TEST(SynthesiserOpen, AnOfflineSynthesiserTakesTheGamesMessagesWithoutABox) {
    ASSERT_TRUE(ProjectSoundfontInstalled());
    const SynthesiserRun run(std::make_unique<Synthesiser>(SynthesiserSetup{{ProjectSoundfont}}));
    EXPECT_THAT(run.shown.boxes, IsEmpty());
    EXPECT_EQ(run.midi.MidiReady, 1);
}

class RefusedMessage : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(RefusedMessage, IsRefusedBeforeAndAfterTheSoundfontIsIn) {
    ASSERT_TRUE(ProjectSoundfontInstalled());
    Synthesiser synthesiser({{ProjectSoundfont}});
    EXPECT_FALSE(synthesiser.Send(GetParam()));  // not open yet
    ASSERT_TRUE(synthesiser.Open());
    EXPECT_FALSE(synthesiser.Send(GetParam()));
    synthesiser.Render(0);
    EXPECT_FALSE(synthesiser.Send(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(SynthesiserOpen, RefusedMessage,
                         ::testing::Values(Packed(0xB0, 7, 100),     // a kind the game never sends
                                           Packed(0x90, 0x80, 127),  // note out of range
                                           Packed(0x90, 64, 0x80),   // velocity out of range
                                           Packed(0xC0, 0x80, 0),    // program out of range
                                           0x017F4090u));            // bits 24-31 not zero

}  // namespace
