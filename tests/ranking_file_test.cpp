#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ranking/ranking.h"
#include "tests/ranking_test_support.h"

namespace {

using Entries = std::vector<RankingEntry>;

TEST(RankingFile, NoFileGivesTwoEmptyRankings) {
    ScratchDirectory dir;
    Rankings rankings{{Entry(0, "old", 1)}, {Entry(1, "old", 2)}, "Zoé"};
    LoadRankings(rankings, dir.File());
    EXPECT_EQ(rankings, (Rankings{{}, {}, "Zoé"}));
}

TEST(RankingFile, FirstSaveMakesTheDirectoryAndOneRecord) {
    ScratchDirectory dir;
    const auto file = dir.Path() / "share" / "quickstack" / "Quickstack.dat";
    SaveWhole(Rankings{{Entry(0, "Ana", 61234)}, {}, ""}, file);
    EXPECT_EQ(ReadBytes(file), std::string("\0Ana\0\0\0\0\0\0\0\0\0\0\0\0\0\x32\xEF\0\0", 21));
    EXPECT_EQ(std::filesystem::status(file.parent_path()).permissions(),
              std::filesystem::perms::owner_all);
    EXPECT_EQ(OtherFiles(file.parent_path()), 0);
}

TEST(RankingFile, EnduranceRecordFirstInTheFileIsSavedAfterSprint) {
    ScratchDirectory dir;
    WriteBytes(dir.File(), Record(1, "Endu", 300000) + Record(0, "Sprint", 90000));
    Rankings rankings;
    LoadRankings(rankings, dir.File());
    EXPECT_EQ(rankings.SprintRanking, Entries{Entry(0, "Sprint", 90000)});
    EXPECT_EQ(rankings.EnduranceRanking, Entries{Entry(1, "Endu", 300000)});
    SaveRankings(rankings, NoChange, dir.File());
    EXPECT_EQ(ReadBytes(dir.File()), Record(0, "Sprint", 90000) + Record(1, "Endu", 300000));
}

struct RoundTrip {
    std::string label;
    friend void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.label; }
    std::string file;
    std::string saved;  // sprint records first, each mode in file order
};

class RankingRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(RankingRoundTrip, SavesWhatItLoaded) {
    ScratchDirectory dir;
    WriteBytes(dir.File(), GetParam().file);
    Rankings rankings;
    LoadRankings(rankings, dir.File());
    SaveRankings(rankings, NoChange, dir.File());
    EXPECT_EQ(ReadBytes(dir.File()), GetParam().saved);
}

const std::string A = Record(0, "Alice", 70000);
const std::string B = Record(0, "Bob", 65000);  // out of order on purpose
const std::string C = Record(1, "Chlo\xE9 N\xB0 1", 400000);
const std::string D = Record(7, "odd mode", 5);
const std::string E = Record(1, "SixteenCharsLong", -20);
const std::string Z = Record(0, std::string("a\0b\0\0c", 6), 0x7FFFFFFF);

INSTANTIATE_TEST_SUITE_P(
    Files, RankingRoundTrip,
    testing::Values(RoundTrip{"Empty", "", ""}, RoundTrip{"OneRecord", A, A},
                    RoundTrip{"SprintFirst", A + B + C + E, A + B + C + E},
                    RoundTrip{"Interleaved", C + A + D + B + E, A + B + C + D + E},
                    RoundTrip{"ZerosInsideName", Z + D, Z + D},
                    RoundTrip{"TrailingFragment", A + B + std::string("\1xyz", 4), A + B},
                    RoundTrip{"OnlyAFragment", std::string(20, '\x55'), ""}));

TEST(RankingFile, ModeByteOtherThanZeroOrOneStaysAsRead) {
    ScratchDirectory dir;
    WriteBytes(dir.File(), Record(0xFF, "x", 1));
    Rankings rankings;
    LoadRankings(rankings, dir.File());
    EXPECT_EQ(rankings.EnduranceRanking, Entries{Entry(0xFF, "x", 1)});
}

TEST(RankingFile, ZeroByteFileIsRewrittenByTheNextSave) {
    ScratchDirectory dir;
    WriteBytes(dir.File(), "");
    Rankings rankings;
    LoadRankings(rankings, dir.File());
    EXPECT_EQ(rankings, Rankings{});
    SaveRankings(
        rankings,
        [](Rankings& current) { current.EnduranceRanking.push_back(Entry(1, "Eve", 1000)); },
        dir.File());
    EXPECT_EQ(ReadBytes(dir.File()), Record(1, "Eve", 1000));
}

class ClearRankingOfMode : public testing::TestWithParam<int> {};

TEST_P(ClearRankingOfMode, LeavesExactlyTheOtherModesRecords) {
    ScratchDirectory dir;
    const std::string sprint = Record(0, "s1", 10) + Record(0, "s2", 5);
    const std::string endurance = Record(1, "e1", 30) + Record(1, "e2", 20);
    WriteBytes(dir.File(), endurance.substr(0, 21) + sprint + endurance.substr(21));
    Rankings rankings;
    LoadRankings(rankings, dir.File());
    const Rankings before = rankings;
    ClearRanking(rankings, GetParam(), dir.File());
    EXPECT_TRUE(CurrentRanking(rankings, GetParam()).empty());
    EXPECT_EQ(CurrentRanking(rankings, 1 - GetParam()), CurrentRanking(before, 1 - GetParam()));
    EXPECT_EQ(ReadBytes(dir.File()), GetParam() == 0 ? endurance : sprint);
}

INSTANTIATE_TEST_SUITE_P(Modes, ClearRankingOfMode, testing::Values(0, 1));

TEST(RankingFile, LoadingStopsAtTheRecordLimit) {
    ScratchDirectory dir;
    std::string bytes;
    for (int i = 0; i < MaxLoadedRecords + 3; ++i) {
        bytes += Record(i % 2, "n", i);
    }
    WriteBytes(dir.File(), bytes);
    Rankings rankings;
    LoadRankings(rankings, dir.File());
    ASSERT_EQ(rankings.SprintRanking.size() + rankings.EnduranceRanking.size(),
              std::size_t{MaxLoadedRecords});
    EXPECT_EQ(rankings.EnduranceRanking.back().timeMs, MaxLoadedRecords - 1);
}

TEST(RankingFile, HugeSparseFileLoadsOnlyUpToTheLimit) {
    ScratchDirectory dir;
    WriteBytes(dir.File(), "");
    std::filesystem::resize_file(dir.File(), std::uintmax_t{1} << 36);
    Rankings rankings;
    LoadRankings(rankings, dir.File());
    EXPECT_EQ(rankings.SprintRanking.size(), std::size_t{MaxLoadedRecords});
    EXPECT_TRUE(rankings.EnduranceRanking.empty());
}

struct Environment {
    std::string label;
    friend void PrintTo(const Environment& c, std::ostream* os) { *os << c.label; }
    const char* xdgDataHome;
    const char* home;
    const char* expected;
};

class RankingFileLocation : public testing::TestWithParam<Environment> {};

TEST_P(RankingFileLocation, FollowsTheDataHome) {
    const auto set = [](const char* name, const char* value) {
        value == nullptr ? unsetenv(name) : setenv(name, value, 1);
    };
    set("XDG_DATA_HOME", GetParam().xdgDataHome);
    set("HOME", GetParam().home);
    EXPECT_EQ(RankingFilePath(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, RankingFileLocation,
    testing::Values(Environment{"DataHomeSet", "/data", "/home/ana",
                                "/data/quickstack/Quickstack.dat"},
                    Environment{"DataHomeUnset", nullptr, "/home/ana",
                                "/home/ana/.local/share/quickstack/Quickstack.dat"},
                    Environment{"DataHomeEmpty", "", "/home/ana",
                                "/home/ana/.local/share/quickstack/Quickstack.dat"},
                    Environment{"DataHomeRelative", "relative/dir", "/home/ana",
                                "/home/ana/.local/share/quickstack/Quickstack.dat"}));

}  // namespace
