#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "platform/screen_scale.h"

namespace {

struct Ratio {
    double ratio;
    int scale;
};

void PrintTo(const Ratio& ratio, std::ostream* out) {
    *out << ratio.ratio;
}

// The window is shown at the largest whole number not above the screen's ratio: every
// pixel of the game an exact block, never a blurred fraction of one.
class WholeScaleTest : public testing::TestWithParam<Ratio> {};

TEST_P(WholeScaleTest, ARatioGivesTheLargestWholeScaleNotAboveIt) {
    EXPECT_EQ(WholeScale(GetParam().ratio), GetParam().scale);
}

INSTANTIATE_TEST_SUITE_P(
    Ratios, WholeScaleTest,
    testing::Values(Ratio{1.0, 1}, Ratio{1.25, 1}, Ratio{1.5, 1}, Ratio{1.75, 1}, Ratio{2.0, 2},
                    Ratio{2.5, 2}, Ratio{3.0, 3}, Ratio{3.99, 3}, Ratio{4.0, 4},
                    // Below one the game's pixels would be lost: never smaller than the design.
                    Ratio{0.5, 1}, Ratio{0.0, 1}, Ratio{-2.0, 1},
                    Ratio{std::numeric_limits<double>::quiet_NaN(), 1},
                    Ratio{std::numeric_limits<double>::infinity(), 1}));

struct Factors {
    const char* given;
    const char* whole;
};

void PrintTo(const Factors& factors, std::ostream* out) {
    *out << '"' << factors.given << '"';
}

// QT_SCALE_FACTOR holds one number, QT_SCREEN_SCALE_FACTORS a list with or without screen
// names: each number becomes whole, everything else stays as the player wrote it.
class WholeScaleFactorsTest : public testing::TestWithParam<Factors> {};

TEST_P(WholeScaleFactorsTest, EveryFactorIsMadeWhole) {
    EXPECT_EQ(WholeScaleFactors(GetParam().given), std::string(GetParam().whole));
}

INSTANTIATE_TEST_SUITE_P(Variables, WholeScaleFactorsTest,
                         testing::Values(Factors{"1.25", "1"}, Factors{"2.5", "2"},
                                         Factors{"2", "2"}, Factors{"0.5", "1"},
                                         Factors{"1.25;2.5", "1;2"},
                                         Factors{"eDP-1=1.25;HDMI-1=2.5;", "eDP-1=1;HDMI-1=2;"},
                                         Factors{"DP-2=3", "DP-2=3"}, Factors{"large", "large"},
                                         Factors{"", ""}));

}  // namespace
