// The messages the game's sound calls send, seen through a recorder behind SendMidiMessage.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "tests/sound_support.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

struct RecordedMidi {
    explicit RecordedMidi(MidiRecorder setup = {}) {
        auto owned = std::make_unique<MidiRecorder>(std::move(setup));
        recorder = owned.get();
        midi = Midi{std::move(owned), shown.Recorder()};
    }
    ShownBoxes shown;
    MidiRecorder* recorder;
    Midi midi;
};

MidiRecorder RefusingToOpen() {
    MidiRecorder recorder;
    recorder.refuseOpen = true;
    return recorder;
}

// Start-up as the game runs it.
TEST(MidiMessages, StartUpSetsChannelZeroToProgramZeroThenTheThreeInstruments) {
    RecordedMidi run;
    OpenSound(run.midi);
    EXPECT_EQ(run.midi.MidiReady, 1);
    EXPECT_THAT(run.recorder->sent, ElementsAre(Packed(0xC0, 0, 0), Packed(0xC0, 13, 0),
                                                Packed(0xC1, 14, 0), Packed(0xC2, 55, 0)));
    EXPECT_THAT(run.shown.boxes, IsEmpty());
}

TEST(MidiMessages, PlayNoteSendsNoteOffThenNoteOn) {
    RecordedMidi run;
    OpenMidiOutput(run.midi);
    run.recorder->sent.clear();
    PlayNote(run.midi, 0, 64, 127, 127);
    EXPECT_THAT(run.recorder->sent, ElementsAre(0x7F4080u, 0x7F4090u));
}

TEST(MidiMessages, MessagesArePackedStatusChannelThenTwoDataBytes) {
    RecordedMidi run;
    OpenMidiOutput(run.midi);
    run.recorder->sent.clear();
    SelectInstrument(run.midi, 2, 55);
    PlayNote(run.midi, 1, 80, 127, 127);
    SendMidiMessage(run.midi, 0x90, 2, 69, 127);
    EXPECT_THAT(run.recorder->sent, ElementsAre(0x0037C2u, 0x7F5081u, 0x7F5091u, 0x7F4592u));
}

TEST(MidiMessages, SendMidiMessageAlwaysReturnsZero) {
    RecordedMidi run;
    EXPECT_EQ(SendMidiMessage(run.midi, 0x90, 0, 64, 127), 0);  // device not open: refused
    OpenMidiOutput(run.midi);
    EXPECT_EQ(SendMidiMessage(run.midi, 0x90, 0, 64, 127), 0);
}

TEST(MidiMessages, OpeningAgainOnceReadyDoesNothing) {
    RecordedMidi run;
    OpenMidiOutput(run.midi);
    run.recorder->refuseOpen = true;
    OpenMidiOutput(run.midi);
    EXPECT_EQ(run.midi.MidiReady, 1);
    EXPECT_THAT(run.recorder->sent, ElementsAre(Packed(0xC0, 0, 0)));
    EXPECT_THAT(run.shown.boxes, IsEmpty());
}

using SoundCall = std::function<void(Midi&)>;

class NotReady : public ::testing::TestWithParam<SoundCall> {};

TEST_P(NotReady, SendsAndShowsNothing) {
    RecordedMidi run;
    run.recorder->Open();
    GetParam()(run.midi);
    EXPECT_EQ(run.midi.MidiReady, 0);
    EXPECT_THAT(run.recorder->sent, IsEmpty());
    EXPECT_THAT(run.shown.boxes, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    MidiMessages, NotReady,
    ::testing::Values(SoundCall([](Midi& midi) { PlayNote(midi, 0, 64, 127, 127); }),
                      SoundCall([](Midi& midi) { PlayNote(midi, 2, 69, 127, 127); }),
                      SoundCall([](Midi& midi) { SelectInstrument(midi, 2, 55); })));

TEST(MidiMessages, DeviceThatWillNotOpenGivesOneBoxAndASilentGame) {
    RecordedMidi run(RefusingToOpen());
    OpenSound(run.midi);
    PlayNote(run.midi, 0, 64, 127, 127);
    PlayNote(run.midi, 1, 80, 127, 127);
    EXPECT_EQ(run.midi.MidiReady, 0);
    EXPECT_THAT(run.shown.boxes, ElementsAre(Box{ProblemTitle, OpenFailedText}));
    run.recorder->Open();  // so that a message sent after all would be kept
    PlayNote(run.midi, 2, 64, 127, 127);
    SelectInstrument(run.midi, 0, 13);
    EXPECT_THAT(run.recorder->sent, IsEmpty());
    EXPECT_THAT(run.shown.boxes, ElementsAre(Box{ProblemTitle, OpenFailedText}));
}

TEST(MidiMessages, NoDeviceAtAllGivesTheSameOneBox) {
    ShownBoxes shown;
    Midi midi{nullptr, shown.Recorder()};
    OpenSound(midi);
    PlayNote(midi, 0, 64, 127, 127);
    EXPECT_EQ(midi.MidiReady, 0);
    EXPECT_THAT(shown.boxes, ElementsAre(Box{ProblemTitle, OpenFailedText}));
}

TEST(MidiMessages, EachRefusedMessageGivesOneBox) {
    RecordedMidi run;
    OpenMidiOutput(run.midi);
    run.recorder->refuseSend = true;
    PlayNote(run.midi, 0, 64, 127, 127);
    EXPECT_THAT(run.shown.boxes,
                ElementsAre(Box{ProblemTitle, SendFailedText}, Box{ProblemTitle, SendFailedText}));
    SelectInstrument(run.midi, 1, 14);
    EXPECT_EQ(run.shown.boxes.size(), 3u);
}

TEST(MidiMessages, AfterARefusalTheNextMessageIsSentAsUsual) {
    RecordedMidi run;
    OpenMidiOutput(run.midi);
    run.recorder->refuseSend = true;
    SelectInstrument(run.midi, 0, 13);
    run.recorder->refuseSend = false;
    PlayNote(run.midi, 0, 64, 127, 127);
    EXPECT_EQ(run.midi.MidiReady, 1);
    EXPECT_THAT(run.shown.boxes, ElementsAre(Box{ProblemTitle, SendFailedText}));
    EXPECT_THAT(run.recorder->sent, ElementsAre(Packed(0xC0, 0, 0), 0x7F4080u, 0x7F4090u));
}

TEST(MidiMessages, ARefusedProgramChangeAtOpeningStillLeavesTheDeviceReady) {
    MidiRecorder refusing;
    refusing.refuseSend = true;
    RecordedMidi run(refusing);
    OpenMidiOutput(run.midi);
    EXPECT_EQ(run.midi.MidiReady, 1);
    EXPECT_THAT(run.shown.boxes, ElementsAre(Box{ProblemTitle, SendFailedText}));
}

}  // namespace
