#include <gtest/gtest.h>

#include "core/core.h"

namespace {

struct Duration {
    std::int32_t ms;
    const char* text;
};

class TimeTextTest : public ::testing::TestWithParam<Duration> {};

TEST_P(TimeTextTest, ShowsMinutesSecondsAndHundredths) {
    EXPECT_EQ(TimeText(GetParam().ms), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TimeTextTest,
    ::testing::Values(Duration{0, "00:00:00"}, Duration{9, "00:00:00"}, Duration{83456, "01:23:45"},
                      Duration{59999, "00:59:99"}, Duration{600000, "10:00:00"},
                      Duration{3599990, "59:59:99"}, Duration{5999999, "99:59:99"},
                      // From 100 minutes on every minute digit shows.
                      Duration{6000000, "100:00:00"}, Duration{7425670, "123:45:67"}));

TEST(Chrono, AdvancesOnlyWhileAGameRuns) {
    GameState state;
    state.ChronoStart = 1000;
    state.ChronoNow = 1000;
    ReadChrono(state, 5000);
    EXPECT_EQ(ChronoValue(state), 0);
    state.Playing = 1;
    ReadChrono(state, 5000);
    EXPECT_EQ(ChronoValue(state), 4000);
}

TEST(Chrono, TimesAGameAcrossTheWrapOfTheTickCount) {
    GameState state;
    state.Playing = 1;
    state.ChronoStart = 0xFFFFF000u;
    ReadChrono(state, 0x00001000u);
    EXPECT_EQ(ChronoValue(state), 0x2000);
    EXPECT_EQ(TimeText(ChronoValue(state)), "00:08:19");
}

TEST(Chrono, StoppingTakesTheLastReadingAndEndsTheGame) {
    GameState state;
    state.Playing = 1;
    state.ChronoStart = 100;
    EXPECT_EQ(StopChrono(state, 61100), 61000);
    EXPECT_EQ(state.Playing, 0);
    ReadChrono(state, 99999);
    EXPECT_EQ(ChronoValue(state), 61000);
}

TEST(Rounding, NearestWithTiesToTheEvenNeighbour) {
    EXPECT_EQ(RoundToNearest(0.5), 0);
    EXPECT_EQ(RoundToNearest(1.5), 2);
    EXPECT_EQ(RoundToNearest(2.5), 2);
    EXPECT_EQ(RoundToNearest(-0.5), 0);
    EXPECT_EQ(RoundToNearest(103.333), 103);
    EXPECT_EQ(RoundToNearest(64 * 1.5), 96);
    EXPECT_EQ(RoundToNearest(64 * 0.4), 26);
}

TEST(Random, StaysWithinItsRangeAndReachesBothEnds) {
    Random random;
    random.SeedRandom(12345);
    std::vector<int> seen(7, 0);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(random.RandomUpTo(0), 0);
        const int n = random.RandomUpTo(6);
        ASSERT_GE(n, 0);
        ASSERT_LE(n, 6);
        ++seen[n];
    }
    for (int n = 0; n <= 6; ++n) {
        EXPECT_GT(seen[n], 0) << n;
    }
}

TEST(Random, DifferentSeedsGiveDifferentSequences) {
    Random first;
    Random second;
    first.SeedRandom(1000);
    second.SeedRandom(1001);
    std::vector<int> a;
    std::vector<int> b;
    for (int i = 0; i < 20; ++i) {
        a.push_back(first.RandomUpTo(30));
        b.push_back(second.RandomUpTo(30));
    }
    EXPECT_NE(a, b);
}

}  // namespace
