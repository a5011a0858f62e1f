// The whole window, skin and all, against the PNGs kept in tests/golden: at start, during
// the count-down and after a lost game. The program starts as it does for a player, with
// a fixed seed, no ranking file and a silent sound device.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/golden.h"
#include "tests/started_program.h"

namespace {

// The real services, but pauses take no time and the third count-down step is pictured.
class CountdownCamera : public ProgramServices {
  public:
    using ProgramServices::ProgramServices;
    void Pause(int) override {
        if (++pauses_ == 3) {
            ExpectLikeGolden("window-countdown", WindowTarget());
        }
    }

  private:
    int pauses_ = 0;
};

class WindowGolden : public ::testing::Test {
  protected:
    void SetUp() override {
        program = StartedProgram(testing::TempDir() + "window-golden-data");
        ASSERT_NE(program, nullptr);
    }
    void TearDown() override { ShutdownPlatform(); }

    std::unique_ptr<Program> program;
};

TEST_F(WindowGolden, AtStartDuringTheCountDownAndAfterALostGame) {
    ExpectLikeGolden("window-start", WindowTarget());

    CountdownCamera camera(program->midi, program->rankings, program->rankingFile, program->window);
    StartNewGame(program->state, camera);

    // Settled squares everywhere but one column: the next piece finds no room.
    for (int row = 1; row < WellRows; ++row) {
        for (int column = 0; column < WellColumns - 1; ++column) {
            program->state.well.SetCell(column, row, static_cast<std::int8_t>(row % 7 + 1));
        }
    }
    Drop(program->state, camera);
    ASSERT_EQ(program->state.Playing, 0);
    ExpectLikeGolden("window-lost", WindowTarget());
}

}  // namespace
