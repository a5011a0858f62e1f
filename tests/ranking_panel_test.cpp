// The ranking panel in the window: the backdrop, one line per entry and the mode's name.
// Cases compare the panel, or its first line, with the PNGs kept in tests/golden.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ranking/ranking_panel.h"
#include "tests/golden.h"
#include "tests/picture_test_helpers.h"
#include "tests/ranking_test_support.h"

namespace {

constexpr std::int32_t Ground = PackColour(90, 140, 60);  // what the window held before
constexpr std::uint32_t GroundPixel = Rgb(90, 140, 60);
constexpr std::uint32_t ListColour = Rgb(32, 32, 32);
constexpr std::uint32_t ModeColour = Rgb(64, 32, 32);
constexpr int NameWidth = 80;  // pixels

// The panel's part of the window, down to the window's edge, against its golden; the
// ground around it untouched.
void ExpectPanelLikeGolden(const std::string& name) {
    ExpectLikeGolden("ranking_panel_" + name, WindowTarget(), 540, 60, 220, 540);
    EXPECT_EQ(CountPixels({0, 0, 800, 600}, WindowPixel,
                          [](int x, int y, std::uint32_t pixel) {
                              return (x < 540 || x >= 760 || y < 60) && pixel != GroundPixel;
                          }),
              0)
        << "drawn outside the panel";
}

// The list's first line alone (place, name and time), where the name cases differ.
void ExpectFirstLineLikeGolden(const std::string& name) {
    ExpectLikeGolden("ranking_line_" + name, WindowTarget(), 540, 120, 220, 20);
}

// Short names, each well inside the 80 pixels, and times that differ from line to line.
std::vector<RankingEntry> Entries(int count, std::uint8_t mode, int firstTime = 61230) {
    const char* names[] = {"Anne", "Luc", "Zo\xE9", "Paul", "In\xE8s"};
    std::vector<RankingEntry> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back(Entry(mode, names[i % 5], firstTime + 4321 * i));
    }
    return entries;
}

Rankings WithSprint(std::vector<RankingEntry> sprint) {
    Rankings rankings;
    rankings.SprintRanking = std::move(sprint);
    return rankings;
}

int NameTextWidth(const std::string& text) {
    return MeasuredWidth("Arial", 12, FontBold, text);
}

// Pixels wholly in one colour within a window rectangle (right and bottom exclusive).
int CountInWindow(int left, int top, int right, int bottom, std::uint32_t colour) {
    return CountPixels({left, top, right, bottom}, WindowPixel,
                       [colour](int, int, std::uint32_t pixel) { return pixel == colour; });
}

class RankingPanel : public PictureTest {
  protected:
    void SetUp() override {
        PictureTest::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        BeginDrawing(WindowTarget());
        DrawBox(0, 0, 800, 600, Ground);
        EndDrawing();
    }
};

TEST_F(RankingPanel, LaysTheBackdropAt540By60AndTouchesNothingAround) {
    DrawRankingPanel(Rankings{}, 0);
    ExpectPanelLikeGolden("sprint_0");
    EXPECT_EQ(WindowPixel(540, 60), ImagePixel(RankingBackdrop, 0, 0));
    EXPECT_EQ(WindowPixel(759, 559), ImagePixel(RankingBackdrop, 219, 499));
    EXPECT_EQ(WindowPixel(539, 60), GroundPixel);
    EXPECT_EQ(WindowPixel(760, 559), GroundPixel);
    EXPECT_EQ(WindowPixel(759, 560), GroundPixel);
}

class PanelLines : public RankingPanel, public ::testing::WithParamInterface<int> {};

// Over a panel that showed 19 other lines: the backdrop wipes them.
TEST_P(PanelLines, ShowPlaceNameAndTimeFromLine120Down) {
    DrawRankingPanel(WithSprint(Entries(19, 0, 3599990)), 0);
    const std::vector<RankingEntry> entries = Entries(GetParam(), 0);
    DrawRankingPanel(WithSprint(entries), 0);
    ExpectPanelLikeGolden("sprint_" + std::to_string(GetParam()));
    for (int i = 0; i < GetParam(); ++i) {
        const int y = 120 + 20 * i;
        EXPECT_GT(CountInWindow(555, y, 585, y + 20, ListColour), 5) << "place of line " << i;
        EXPECT_GT(CountInWindow(585, y, 680, y + 20, ListColour), 5) << "name of line " << i;
        EXPECT_GT(CountInWindow(680, y, 760, y + 20, ListColour), 20) << "time of line " << i;
    }
    const int below = 120 + 20 * GetParam();
    EXPECT_EQ(CountInWindow(540, below, 760, 520, ListColour), 0);
}

INSTANTIATE_TEST_SUITE_P(Entries, PanelLines, ::testing::Values(0, 1, 19));

class ModeName : public RankingPanel, public ::testing::WithParamInterface<int> {};

TEST_P(ModeName, StandsInTheBottomBoxInItsColour) {
    DrawRankingPanel(Rankings{}, GetParam());
    ExpectPanelLikeGolden(GetParam() == 0 ? "sprint_0" : "endurance_0");
    EXPECT_GT(CountInWindow(555, 520, 745, 550, ModeColour), 20);
    EXPECT_EQ(CountInWindow(540, 60, 760, 520, ModeColour), 0);
}

INSTANTIATE_TEST_SUITE_P(SprintAndEndurance, ModeName, ::testing::Values(0, 1),
                         [](const auto& info) {
                             return std::string(info.param == 0 ? "Sprint" : "Endurance");
                         });

struct NameCase {
    const char* label;
    std::string bytes;  // the 16-byte field, zero-filled
    std::string shown;
};

void PrintTo(const NameCase& value, std::ostream* os) {
    *os << value.label;
}

class ShownName : public RankingPanel, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ShownName, IsTheFieldsNonZeroBytes) {
    ASSERT_LE(NameTextWidth(GetParam().shown), NameWidth) << "a case for names that fit";
    DrawRankingPanel(WithSprint({Entry(0, GetParam().bytes, 83456)}), 0);
    ExpectFirstLineLikeGolden(GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ShownName,
    ::testing::Values(NameCase{"Short", "Anne", "Anne"},
                      NameCase{"SixteenNarrow", "iiiiiiiiiiiiiiii", "iiiiiiiiiiiiiiii"},
                      NameCase{"Empty", "", ""},
                      NameCase{"ZerosInside", std::string("Jo\0\0an\0na", 9), "Joanna"},
                      NameCase{"ZerosFirst", std::string("\0\0\0\0\0Luc", 8), "Luc"},
                      NameCase{"AccentsAndDegree", "G\xE9rard \xB0", "G\xE9rard \xB0"}),
    [](const auto& info) { return std::string(info.param.label); });

class WideName : public RankingPanel, public ::testing::WithParamInterface<const char*> {};

// The panel's own font measures each longer start of the name; the first one wider than
// 80 pixels is what shows.
TEST_P(WideName, IsCutRightAfterTheCharacterThatCrosses80Pixels) {
    const std::string name = GetParam();
    std::size_t cut = 1;
    while (cut < name.size() && NameTextWidth(name.substr(0, cut)) <= NameWidth) {
        ++cut;
    }
    const std::string shown = name.substr(0, cut);
    ASSERT_LT(cut, name.size()) << "a case for names that do not fit";
    ASSERT_LE(NameTextWidth(name.substr(0, cut - 1)), NameWidth);
    ASSERT_GT(NameTextWidth(shown), NameWidth);
    DrawRankingPanel(WithSprint({Entry(0, name, 83456)}), 0);
    ExpectFirstLineLikeGolden(name);
}

INSTANTIATE_TEST_SUITE_P(Names, WideName,
                         ::testing::Values("WWWWWWWWWWWWWWWW", "Marie-Antoinette",
                                           "Jean-Christophe"));

// A name whose start measures exactly `width` pixels, then "WW": the start is made of
// two characters whose advances add up to the width.
std::string NameWhoseStartMeasures(int width) {
    const std::string characters = "il.1aW0m";
    for (const char first : characters) {
        for (const char second : characters) {
            const int firstWidth = NameTextWidth(std::string(1, first));
            const int secondWidth = NameTextWidth(std::string(1, second));
            for (int a = 1; a <= 14; ++a) {
                for (int b = 0; a + b <= 14; ++b) {
                    if (a * firstWidth + b * secondWidth == width) {
                        return std::string(a, first) + std::string(b, second) + "WW";
                    }
                }
            }
        }
    }
    return "";
}

// A text of exactly 80 pixels is not past the limit; one of 81 is.
TEST_F(RankingPanel, ANameStartOf80PixelsGoesOnAndOneOf81EndsTheName) {
    for (const int width : {NameWidth, NameWidth + 1}) {
        const std::string name = NameWhoseStartMeasures(width);
        ASSERT_FALSE(name.empty()) << width;
        const std::string start = name.substr(0, name.size() - 2);
        ASSERT_EQ(NameTextWidth(start), width) << name;
        DrawRankingPanel(WithSprint({Entry(0, name, 83456)}), 0);
        ExpectFirstLineLikeGolden(std::to_string(width) + "_pixels_then_WW");
    }
}

TEST_F(RankingPanel, SwitchingTheModeLeavesNoLineOfTheOldList) {
    Rankings rankings = WithSprint(Entries(19, 0));
    rankings.EnduranceRanking = Entries(2, 1, 1800000);
    DrawRankingPanel(rankings, 0);
    DrawRankingPanel(rankings, 1);
    ExpectPanelLikeGolden("endurance_2");
    DrawRankingPanel(rankings, 0);
    ExpectPanelLikeGolden("sprint_19");
}

class LongRanking : public RankingPanel, public ::testing::WithParamInterface<int> {};

// Only a file not written by the game holds more than 19 entries. Its lines go on below,
// the 21st at y 520 in the mode's box, the 24th at y 580 cut by the window's edge; the
// lines after it would start below the window.
TEST_P(LongRanking, DrawsFurtherLinesDownToTheWindowsEdge) {
    const std::vector<RankingEntry> entries = Entries(GetParam(), 0);
    DrawRankingPanel(WithSprint(entries), 0);
    ExpectPanelLikeGolden("sprint_long");
    EXPECT_GT(CountInWindow(555, 520, 585, 540, ListColour), 5) << "place 21";
    EXPECT_GT(CountInWindow(555, 580, 585, 600, ListColour), 5) << "place 24";
}

INSTANTIATE_TEST_SUITE_P(Entries, LongRanking, ::testing::Values(25, MaxLoadedRecords));

}  // namespace
