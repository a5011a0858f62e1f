// What the synthesiser makes of the game's notes, rendered into memory without a sound
// device and measured.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

#include "sound/synthesiser.h"
#include "tests/sound_support.h"

namespace {

constexpr int FramesPerMs = SampleRate / 1000;
constexpr int WindowMs = 10;  // envelope resolution

double Rms(std::span<const float> samples) {
    double sum = 0;
    for (const float sample : samples) {
        sum += double{sample} * sample;
    }
    return samples.empty() ? 0 : std::sqrt(sum / samples.size());
}

std::vector<double> Envelope(std::span<const float> samples) {
    std::vector<double> envelope;
    for (std::size_t start = 0; start + WindowMs * FramesPerMs <= samples.size();
         start += WindowMs * FramesPerMs) {
        envelope.push_back(Rms(samples.subspan(start, WindowMs * FramesPerMs)));
    }
    return envelope;
}

// Milliseconds from the loudest moment until the sound has fallen by 20 dB.
int DecayMs(std::span<const float> samples) {
    const auto envelope = Envelope(samples);
    const auto loudest = std::max_element(envelope.begin(), envelope.end());
    const auto faded = std::find_if(loudest, envelope.end(),
                                    [peak = *loudest](double level) { return level < peak / 10; });
    return static_cast<int>(faded - loudest) * WindowMs;
}

double ZeroCrossingsPerSecond(std::span<const float> samples) {
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);
    }
    return crossings * double{SampleRate} / samples.size();
}

// Power of one frequency over a Hann-windowed stretch (Goertzel's recurrence).
double PowerAt(std::span<const float> samples, double hertz) {
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * hertz / SampleRate);
    double previous = 0;
    double beforePrevious = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / samples.size());
        const double current = samples[i] * hann + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious -
           coefficient * previous * beforePrevious;
}

double NoteHertz(int note) {
    return 440 * std::pow(2.0, (note - 69) / 12.0);
}

// The game's start-up on an offline synthesiser; its messages wait for the soundfont.
class Rendering : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ProjectSoundfontInstalled());
        auto owned = std::make_unique<Synthesiser>(SynthesiserSetup{{ProjectSoundfont}});
        synthesiser = owned.get();
        midi = Midi{std::move(owned), shown.Recorder()};
        OpenSound(midi);
        ASSERT_EQ(midi.MidiReady, 1);
    }
    void TearDown() override { EXPECT_TRUE(shown.boxes.empty()); }

    std::vector<float> Render(int milliseconds) {
        return synthesiser->Render(milliseconds * FramesPerMs);
    }
    std::vector<float> Strike(int channel, int note, int milliseconds) {
        PlayNote(midi, channel, note, 127, 127);
        return Render(milliseconds);
    }

    ShownBoxes shown;
    Synthesiser* synthesiser = nullptr;
    Midi midi;
};

struct NoteRequest {
    int channel;
    int note;
    int partial;  // the strongest partial of this instrument, as a multiple of the note
};

class NoteRequestSounds : public Rendering, public ::testing::WithParamInterface<NoteRequest> {};

TEST_P(NoteRequestSounds, AtItsPitchAndOnlyOnceStruck) {
    const auto [channel, note, partial] = GetParam();
    EXPECT_LT(Rms(Render(100)), 1e-4) << "sound before the note";
    const auto sound = Strike(channel, note, 300);
    EXPECT_GT(Rms(sound), 5e-3);

    const double hertz = partial * NoteHertz(note);
    const auto stretch = std::span(sound).subspan(10 * FramesPerMs, 8192);
    const double semitone = std::pow(2.0, 1 / 12.0);
    EXPECT_GT(PowerAt(stretch, hertz), 2 * PowerAt(stretch, hertz * semitone));
    EXPECT_GT(PowerAt(stretch, hertz), 2 * PowerAt(stretch, hertz / semitone));
}

// The game's note requests: a locked piece; a cleared row, a count-down step; a lost
// game; the two notes that end the count-down.
INSTANTIATE_TEST_SUITE_P(Game, NoteRequestSounds,
                         ::testing::Values(NoteRequest{0, 64, 1}, NoteRequest{1, 64, 4},
                                           NoteRequest{1, 80, 4}, NoteRequest{2, 64, 1},
                                           NoteRequest{2, 69, 1}));

TEST_F(Rendering, XylophoneDiesAwayQuicklyWhereTheOthersRing) {
    const auto xylophone = Strike(0, 64, 1500);
    const auto bells = Strike(1, 64, 1500);
    const auto hit = Strike(2, 64, 1500);
    EXPECT_LT(DecayMs(xylophone), 300);
    EXPECT_GT(DecayMs(bells), 600);
    EXPECT_GT(DecayMs(hit), 600);
}

TEST_F(Rendering, TubularBellsAreBrighterThanTheOrchestraHit) {
    const auto bells = Strike(1, 64, 200);
    Render(2000);
    const auto hit = Strike(2, 64, 200);
    EXPECT_GT(ZeroCrossingsPerSecond(bells), 2 * ZeroCrossingsPerSecond(hit));
}

TEST_F(Rendering, ASecondStrikeOfTheSameNoteRestartsIt) {
    const auto first = Envelope(Strike(1, 64, 600));
    const auto second = Envelope(Strike(1, 64, 600));
    const double firstPeak = *std::max_element(first.begin(), first.begin() + 20);
    const double secondPeak = *std::max_element(second.begin(), second.begin() + 20);
    EXPECT_GT(secondPeak, 2 * first.back()) << "no new strike";
    EXPECT_NEAR(secondPeak, firstPeak, 0.3 * firstPeak) << "the first strike still rings";
}

// The synthesiser rests once all has died away; the next note must wake it at once.
TEST_F(Rendering, AStrikeAfterLongSilenceSoundsAsTheFirstDid) {
    const double first = Rms(Strike(0, 64, 300));
    ASSERT_GT(first, 5e-3);
    double lastSecond = 0;
    for (int period = 0; period < 1000; ++period) {  // ten seconds, as an output takes them
        const double level = Rms(Render(10));
        lastSecond = period >= 900 ? std::max(lastSecond, level) : 0;
    }
    EXPECT_LT(lastSecond, 1e-6);
    EXPECT_NEAR(Rms(Strike(0, 64, 300)), first, 0.1 * first);
}

}  // namespace
