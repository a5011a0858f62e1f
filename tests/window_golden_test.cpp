// The whole window, skin and all, against the PNGs kept in tests/golden: at start, during
// the count-down and after a lost game. The program starts as it does for a player, with
// a fixed seed, no ranking file and a silent sound device.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/app.h"

namespace {

std::string GoldenPath(const std::string& name) {
    return std::string(QUICKSTACK_GOLDEN_DIR) + "/" + name + ".png";
}

// The window as it stands, kept as a golden on purpose or compared with one.
void ExpectWindowLikeGolden(const std::string& name) {
    const std::string golden = GoldenPath(name);
    if (std::getenv("QUICKSTACK_REGENERATE_GOLDENS") != nullptr) {
        ASSERT_TRUE(SaveTargetPng(WindowTarget(), golden));
        return;
    }
    const std::string shot = testing::TempDir() + name + ".png";
    ASSERT_TRUE(SaveTargetPng(WindowTarget(), shot));
    const QImage expected(QString::fromStdString(golden));
    const QImage actual(QString::fromStdString(shot));
    ASSERT_FALSE(expected.isNull()) << "no golden " << golden;
    ASSERT_EQ(actual.size(), expected.size());
    int differences = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            differences += actual.pixel(x, y) == expected.pixel(x, y) ? 0 : 1;
        }
    }
    EXPECT_EQ(differences, 0) << name << " differs from its golden; this run's picture: " << shot;
}

// The real services, but pauses take no time and the third count-down step is pictured.
class CountdownCamera : public ProgramServices {
  public:
    using ProgramServices::ProgramServices;
    void Pause(int) override {
        if (++pauses_ == 3) {
            ExpectWindowLikeGolden("window-countdown");
        }
    }

  private:
    int pauses_ = 0;
};

class WindowGolden : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::filesystem::path data = testing::TempDir() + "window-golden-data";
        std::filesystem::remove_all(data);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        program = std::make_unique<Program>();
        program->midi.MidiOut = std::make_unique<MidiRecorder>();
        program->state.random.SeedRandom(20240601);
        ASSERT_FALSE(StartUp(*program).has_value());
        RepaintNow(program->window);
    }
    void TearDown() override { ShutdownPlatform(); }

    std::unique_ptr<Program> program;
};

TEST_F(WindowGolden, AtStartDuringTheCountDownAndAfterALostGame) {
    ExpectWindowLikeGolden("window-start");

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
    ExpectWindowLikeGolden("window-lost");
}

}  // namespace
