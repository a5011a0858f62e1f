#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

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
    EXPECT_EQ(std::filesystem::status(file).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(OtherFiles(file.parent_path()), 0);
}

std::set<std::string> Names(const std::filesystem::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

struct Link {
    std::string label;
    friend void PrintTo(const Link& c, std::ostream* os) { *os << c.label; }
    std::vector<std::string> chain;  // what each link holds, the first being Quickstack.dat
    bool absolute;                   // the last one names the target from the root
    bool targetExists;
};

class LinkedFile : public testing::TestWithParam<Link> {};

// A ranking kept elsewhere, in a synced folder say, through a link: the save replaces the
// file it names, beside it, and the link stays.
TEST_P(LinkedFile, SaveReplacesTheFileItNames) {
    ScratchDirectory dir;
    const std::filesystem::path target = dir.Path() / "synced" / "ranking.dat";
    std::filesystem::create_directory(target.parent_path());
    if (GetParam().targetExists) {
        WriteBytes(target, Record(0, "Alice", 70000) + Record(1, "Bob", 300000));
    }
    std::filesystem::path link = dir.File();
    for (std::size_t i = 0; i < GetParam().chain.size(); ++i) {
        const bool last = i + 1 == GetParam().chain.size();
        std::filesystem::create_symlink(last && GetParam().absolute
                                            ? dir.Path() / GetParam().chain[i]
                                            : std::filesystem::path(GetParam().chain[i]),
                                        link);
        link = dir.Path() / GetParam().chain[i];
    }
    const std::set<std::string> names = Names(dir.Path());
    Rankings rankings;
    LoadRankings(rankings, dir.File());
    ClearRanking(rankings, 1, dir.File());
    const std::string sprint = GetParam().targetExists ? Record(0, "Alice", 70000) : "";
    EXPECT_EQ(ReadBytes(target), sprint);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File()));
    EXPECT_EQ(Names(dir.Path()), names);
    EXPECT_EQ(Names(target.parent_path()), std::set<std::string>{"ranking.dat"});
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkedFile,
    testing::Values(Link{"Relative", {"synced/ranking.dat"}, false, true},
                    Link{"Absolute", {"synced/ranking.dat"}, true, true},
                    Link{"Chain", {"other.dat", "synced/ranking.dat"}, false, true},
                    Link{"ToAFileNotMadeYet", {"synced/ranking.dat"}, false, false}));

TEST(RankingFile, LinkInALoopIsLeftAlone) {
    ScratchDirectory dir;
    std::filesystem::create_symlink("Quickstack.dat", dir.File());
    const ChildOutcome outcome = RunInChild([&] { SaveWhole(Rankings{}, dir.File()); });
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File()));
    EXPECT_NE(outcome.errors.find("Too many levels of symbolic links"), std::string::npos)
        << outcome.errors;
}

class FileMode : public testing::TestWithParam<std::filesystem::perms> {};

// A file shared with a group or kept private stays so, and root gives it back to its owner.
TEST_P(FileMode, SaveKeepsTheFilesModeAndOwner) {
    if (geteuid() != 0 &&
        (GetParam() & std::filesystem::perms::owner_read) == std::filesystem::perms::none) {
        GTEST_SKIP() << "only root may read a file that its owner may not";
    }
    ScratchDirectory dir;
    WriteBytes(dir.File(), Record(0, "Alice", 70000));
    std::filesystem::permissions(dir.File(), GetParam());
    const uid_t owner = geteuid() == 0 ? 65534 : geteuid();
    ASSERT_EQ(chown(dir.File().c_str(), owner, static_cast<gid_t>(-1)), 0);
    Rankings rankings;
    LoadRankings(rankings, dir.File());
    ClearRanking(rankings, 0, dir.File());
    EXPECT_EQ(ReadBytes(dir.File()), "");
    struct stat saved {};
    ASSERT_EQ(stat(dir.File().c_str(), &saved), 0);
    EXPECT_EQ(static_cast<std::filesystem::perms>(saved.st_mode & 07777), GetParam());
    EXPECT_EQ(saved.st_uid, owner);
}

using std::filesystem::perms;
INSTANTIATE_TEST_SUITE_P(Modes, FileMode,
                         testing::Values(perms::owner_read | perms::owner_write,
                                         perms::owner_read | perms::owner_write | perms::group_read,
                                         perms::owner_read | perms::owner_write |
                                             perms::group_read | perms::group_write |
                                             perms::others_read,
                                         perms::owner_write | perms::others_read));

// In a directory the player cannot write, a file they can write is rewritten in place.
TEST(RankingFile, ReadOnlyDirectoryHoldingAWritableFileSaves) {
    ScratchDirectory dir;
    const std::filesystem::path file = dir.Path() / "locked" / "Quickstack.dat";
    std::filesystem::create_directory(file.parent_path());
    WriteBytes(file, Record(1, "Bob", 300000) + Record(0, "Alice", 70000));
    if (geteuid() == 0) {
        ASSERT_EQ(chown(file.c_str(), 65534, 65534), 0);
    }
    std::filesystem::permissions(file.parent_path(), perms::owner_read | perms::owner_exec |
                                                         perms::others_read | perms::others_exec);
    struct stat before {};
    ASSERT_EQ(stat(file.c_str(), &before), 0);
    const ChildOutcome outcome = RunInChild(
        [&] {
            Rankings rankings;
            LoadRankings(rankings, file);
            ClearRanking(rankings, 1, file);
            _exit(rankings == Rankings{{Entry(0, "Alice", 70000)}, {}, ""} ? 0 : 1);
        },
        true);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.errors, "");
    EXPECT_EQ(ReadBytes(file), Record(0, "Alice", 70000));
    struct stat after {};
    ASSERT_EQ(stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the file was replaced, not rewritten";
    EXPECT_EQ(OtherFiles(file.parent_path()), 0);
}

// Only a save makes names of this shape, and only under the lock: one found then was left
// by a save that was killed. Every other name is the player's own.
TEST(RankingFile, SaveRemovesTheTemporaryFilesKilledSavesLeft) {
    ScratchDirectory dir;
    const std::set<std::string> players = {"Quickstack.dat.backup",
                                           "Quickstack.dat.saving-Ab12C",
                                           "Quickstack.dat.saving-Ab12Cd.old",
                                           "Quickstack.dat.saving-A.12Cd",
                                           "Other.dat.saving-Ab12Cd",
                                           "Quickstack.dat"};
    for (const std::string& name : players) {
        WriteBytes(dir.Path() / name, "");
    }
    for (const std::string name :
         {"Quickstack.dat.saving-Ab12Cd", "Quickstack.dat.saving-9zZ9zz"}) {
        WriteBytes(dir.Path() / name, std::string(4000, 'x'));
    }
    std::filesystem::create_directory(dir.Path() / "Quickstack.dat.saving-Dir123");
    SaveWhole(Rankings{{Entry(0, "Ana", 5)}, {}, ""}, dir.File());
    std::set<std::string> kept = players;
    kept.insert("Quickstack.dat.saving-Dir123");
    EXPECT_EQ(Names(dir.Path()), kept);
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
