#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <random>
#include <thread>

#include "core/core.h"
#include "ranking/ranking.h"
#include "tests/ranking_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

// What the file format says a file of these bytes holds: its whole records, each by its
// mode byte, saved back sprint first.
std::string ExpectedSave(const std::string& bytes) {
    std::string sprint, endurance;
    for (std::size_t at = 0; at + 21 <= bytes.size(); at += 21) {
        (bytes[at] == 0 ? sprint : endurance) += bytes.substr(at, 21);
    }
    return sprint + endurance;
}

std::string Saved(const Rankings& rankings) {
    ScratchDirectory dir;
    SaveWhole(rankings, dir.File());
    return ReadBytes(dir.File()).value_or("missing");
}

TEST(RankingRobustness, RandomFilesLoadTheirWholeRecords) {
    ScratchDirectory dir;
    std::mt19937 random(20240611);
    for (int trial = 0; trial < 3000; ++trial) {
        const std::size_t length = random() % (trial % 10 == 0 ? 5000 : 300);
        std::string bytes(length, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random() % (trial % 3 == 0 ? 3 : 256));
        }
        WriteBytes(dir.File(), bytes);
        Rankings rankings;
        LoadRankings(rankings, dir.File());
        ASSERT_EQ(rankings.SprintRanking.size() + rankings.EnduranceRanking.size(), length / 21)
            << "trial " << trial;
        if (trial % 100 == 0) {
            SaveRankings(rankings, NoChange, dir.File());
            ASSERT_EQ(ReadBytes(dir.File()), ExpectedSave(bytes)) << "trial " << trial;
        }
    }
}

TEST(RankingRobustness, NonRegularFilesHoldNoRankings) {
    ScratchDirectory dir;
    const std::filesystem::path fifo = dir.Path() / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(dir.Path() / "directory");
    for (const std::filesystem::path& file :
         {fifo, dir.Path() / "directory", std::filesystem::path("/dev/zero")}) {
        Rankings rankings{{Entry(0, "old", 1)}, {}, ""};
        LoadRankings(rankings, file);
        EXPECT_EQ(rankings, Rankings{}) << file;
    }
}

TEST(RankingRobustness, UnreadableFileLoadsAsEmptyRankings) {
    ScratchDirectory dir;
    WriteBytes(dir.File(), Record(0, "Ana", 1));
    std::filesystem::permissions(dir.File(), std::filesystem::perms::none);
    const ChildOutcome outcome = RunInChild(
        [&] {
            Rankings rankings{{Entry(0, "old", 1)}, {}, ""};
            LoadRankings(rankings, dir.File());
            _exit(rankings == Rankings{} ? 0 : 1);
        },
        true);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.errors, "");
}

const Rankings OldRankings{{Entry(0, "old", 1)}, {Entry(1, "old", 2)}, ""};
const Rankings NewRankings{{Entry(0, "new", 3), Entry(0, "new", 4)}, {}, ""};

// A failed save leaves the old file and says once, on stderr, which file and why.
void ExpectFailedSave(const ChildOutcome& outcome, const std::filesystem::path& file,
                      std::string_view reason) {
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(ReadBytes(file), Saved(OldRankings));
    EXPECT_EQ(std::count(outcome.errors.begin(), outcome.errors.end(), '\n'), 1) << outcome.errors;
    EXPECT_NE(outcome.errors.find(file.string()), std::string::npos) << outcome.errors;
    EXPECT_NE(outcome.errors.find(reason), std::string::npos) << outcome.errors;
    EXPECT_EQ(OtherFiles(file.parent_path()), 0);
}

// Who saves a file that the test, root in CI, made.
enum class Saver {
    Owner,       // whoever runs the tests, root included
    NotRoot,     // nobody when the tests run as root, for whom permissions do not hold
    AnotherUser  // nobody; needs root
};

struct Refusal {
    std::string label;
    friend void PrintTo(const Refusal& c, std::ostream* os) { *os << c.label; }
    std::filesystem::perms file;       // the ranking file's permissions
    std::filesystem::perms directory;  // those of the directory that holds it
    Saver saver;
    std::string reason;
};

class RefusedSave : public testing::TestWithParam<Refusal> {};

TEST_P(RefusedSave, LeavesTheFileAndMakesTheChangeInMemory) {
    if (GetParam().saver == Saver::AnotherUser && geteuid() != 0) {
        GTEST_SKIP() << "needs root, to save as another user";
    }
    ScratchDirectory dir;
    SaveWhole(OldRankings, dir.File());
    std::filesystem::permissions(dir.File(), GetParam().file);
    std::filesystem::permissions(dir.Path(), GetParam().directory);
    const ChildOutcome outcome = RunInChild(
        [&] {
            Rankings rankings = OldRankings;
            ClearRanking(rankings, 0, dir.File());
            _exit(rankings == Rankings{{}, OldRankings.EnduranceRanking, ""} ? 0 : 1);
        },
        GetParam().saver != Saver::Owner);
    std::filesystem::permissions(dir.File(), std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::add);
    ExpectFailedSave(outcome, dir.File(), GetParam().reason);
}

using std::filesystem::perms;
const perms Private = perms::owner_all | perms::others_exec;  // as the tests' directories are

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedSave,
    testing::Values(Refusal{"Unreadable", perms::none, Private, Saver::NotRoot,
                            "Permission denied"},
                    Refusal{"ReadOnly", perms::owner_read | perms::group_read | perms::others_read,
                            Private, Saver::Owner, "read-only"},
                    Refusal{"AnotherUsersInASharedDirectory",
                            perms::owner_read | perms::owner_write | perms::others_read, perms::all,
                            Saver::AnotherUser, "Permission denied"}));

// Faults injected by strace into the system calls on the file of a process that loads it
// as start-up does, then saves a record or a clearing.
struct Injection {
    std::string label;
    friend void PrintTo(const Injection& c, std::ostream* os) { *os << c.label; }
    std::string fault;   // strace's -e inject=, for the calls on the file only
    std::string file;    // its bytes before
    std::string change;  // "record MODE NAME MS", "clear MODE", or "" to load alone
    std::string memory;  // both rankings in memory after the save, in the file's format
    std::string saved;   // the file after it
    std::string error;   // the reason given by a failed save, "" for none
    int lines = 0;       // on stderr: the failed save's, and its end's if still unsaved then
};

class InjectedFault : public testing::TestWithParam<Injection> {};

TEST_P(InjectedFault, NeverCostsARecord) {
    if (std::system("strace -qq -o /dev/null true 2>/dev/null") != 0) {
        GTEST_SKIP() << "strace cannot run here";
    }
    ScratchDirectory dir, output;
    WriteBytes(dir.File(), GetParam().file);
    // LeakSanitizer, in a sanitized build, cannot trace a process that strace traces.
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 strace -qq -o /dev/null -P '" +
                                dir.File().string() + "' -e inject=" + GetParam().fault + " '" +
                                RANKING_TOOL + "' '" + dir.File().string() + "' " +
                                GetParam().change + " >'" + output.Path().string() +
                                "/memory' 2>'" + output.Path().string() + "/errors'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(ReadBytes(output.Path() / "memory"), GetParam().memory);
    EXPECT_EQ(ReadBytes(dir.File()), GetParam().saved);
    const std::string errors = ReadBytes(output.Path() / "errors").value_or("");
    if (GetParam().error.empty()) {
        EXPECT_EQ(errors, "");
    } else {
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), GetParam().lines) << errors;
        EXPECT_NE(errors.find(GetParam().error), std::string::npos) << errors;
    }
    EXPECT_EQ(OtherFiles(dir.Path()), 0);
}

const std::string Alice = Record(0, "Alice", 70000);
const std::string Bob = Record(1, "Bob", 300000);
const std::string Ana = Record(0, "Ana", 5);
// More than the 64 KiB that one read takes: loading it takes three reads, the last at its end.
const std::string Many = [] {
    std::string bytes;
    for (int i = 0; i < 4000; ++i) {
        bytes += Record(0, "n", i);
    }
    return bytes;
}();

INSTANTIATE_TEST_SUITE_P(
    Faults, InjectedFault,
    testing::Values(Injection{"OpenFailsEveryTime", "openat:error=EIO", Alice + Bob,
                              "record 0 Ana 5", Ana, Alice + Bob,
                              "cannot open it: Input/output error", 2},
                    Injection{"OpenFailsOnceAtStart", "openat:error=ENFILE:when=1", Alice + Bob,
                              "record 0 Ana 5", Ana + Alice + Bob, Ana + Alice + Bob, ""},
                    Injection{"ReadFailsEveryTime", "read:error=EIO", Alice + Bob, "clear 1", "",
                              Alice + Bob, "cannot read it: Input/output error", 2},
                    Injection{"ReadFailsOnceAtStart", "read:error=EIO:when=1", Alice + Bob,
                              "clear 1", Alice, Alice, ""},
                    Injection{"ReadFailsMidFileAtStartOnly", "read:error=EIO:when=2", Many + Bob,
                              "", "", Many + Bob, ""},
                    Injection{"ReadFailsMidFileAtStart", "read:error=EIO:when=2", Many + Bob,
                              "clear 1", Many, Many, ""},
                    // The change kept pending is saved at the tool's end, as at the game's.
                    Injection{"ReadFailsMidFileWhenSaving", "read:error=EIO:when=5", Many + Bob,
                              "clear 1", Many, Many, "cannot read it: Input/output error", 1}));

// Files can grow to 30 bytes and no further, as on a file system that is full.
void FillTheDisk() {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 30;
    setrlimit(RLIMIT_FSIZE, &limit);
}

TEST(RankingRobustness, SaveOntoFullDiskKeepsTheOldFile) {
    ScratchDirectory dir;
    SaveWhole(OldRankings, dir.File());
    const ChildOutcome outcome = RunInChild([&] {
        FillTheDisk();
        SaveWhole(NewRankings, dir.File());
    });
    ExpectFailedSave(outcome, dir.File(), "File too large");
}

TEST(RankingRobustness, RecordStaysInMemoryWhenItsSaveFails) {
    ScratchDirectory dir;
    SaveWhole(OldRankings, dir.File());
    const ChildOutcome outcome = RunInChild([&] {
        FillTheDisk();
        Rankings rankings = OldRankings;
        GameState state;
        RecordFinish(
            state, rankings, 5, [](auto, auto, auto) { return "Ana"; }, dir.File());
        const std::vector<RankingEntry> expected{Entry(0, "old", 1), Entry(0, "Ana", 5)};
        _exit(rankings.SprintRanking == expected ? 0 : 1);
    });
    ExpectFailedSave(outcome, dir.File(), "File too large");
}

TEST(RankingRobustness, NonRegularFileInTheFilesPlaceStays) {
    for (const auto type :
         {std::filesystem::file_type::directory, std::filesystem::file_type::fifo}) {
        ScratchDirectory dir;
        if (type == std::filesystem::file_type::directory) {
            std::filesystem::create_directory(dir.File());
        } else {
            ASSERT_EQ(mkfifo(dir.File().c_str(), 0600), 0);
        }
        const ChildOutcome outcome = RunInChild([&] { SaveWhole(NewRankings, dir.File()); });
        EXPECT_EQ(std::filesystem::symlink_status(dir.File()).type(), type);
        EXPECT_NE(outcome.errors.find(dir.File().string() + ": it is not a regular file"),
                  std::string::npos)
            << outcome.errors;
        EXPECT_EQ(OtherFiles(dir.Path()), 0);
    }
}

// Five games whose saves each take 2 s (their first fsync slowed by strace) finishing at
// once: each waits its turn for the lock, and every record reaches the file.
TEST(RankingRobustness, SlowSavesAtOnceLoseNoRecord) {
    if (std::system("strace -qq -o /dev/null true 2>/dev/null") != 0) {
        GTEST_SKIP() << "strace cannot run here";
    }
    ScratchDirectory dir;
    WriteBytes(dir.File(), "");
    std::string command;
    for (int game = 1; game <= 5; ++game) {
        command +=
            "ASAN_OPTIONS=detect_leaks=0 strace -qq -o /dev/null "
            "-e inject=fsync:delay_enter=2000000:when=1 '" RANKING_TOOL "' '" +
            dir.File().string() + "' record 0 g " + std::to_string(game * 1000) + " >/dev/null & ";
    }
    ASSERT_EQ(std::system((command + "wait").c_str()), 0);
    Rankings saved;
    LoadRankings(saved, dir.File());
    std::vector<std::int32_t> times;
    for (const RankingEntry& entry : saved.SprintRanking) {
        times.push_back(entry.timeMs);
    }
    EXPECT_EQ(times, (std::vector<std::int32_t>{1000, 2000, 3000, 4000, 5000}));
}

// Kills a child while it saves, at a moment spread over the length of a save.
bool KilledDuringSave(const std::filesystem::path& file, Clock::duration delay) {
    int ready[2];
    if (pipe(ready) != 0) {
        return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        const char go = 1;
        if (write(ready[1], &go, 1) == 1) {
            SaveWhole(NewRankings, file);
        }
        _exit(0);
    }
    close(ready[1]);
    char go = 0;
    const bool started = read(ready[0], &go, 1) == 1;
    close(ready[0]);
    std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    return started;
}

TEST(RankingRobustness, SaveKilledAtAnyMomentLeavesOldOrNewFile) {
    ScratchDirectory dir;
    const std::string oldBytes = Saved(OldRankings);
    const std::string newBytes = Saved(NewRankings);
    Clock::duration saveTime{};
    for (int i = 0; i < 5; ++i) {
        const auto start = Clock::now();
        SaveWhole(OldRankings, dir.File());
        saveTime = std::max(saveTime, Clock::now() - start);
    }
    std::mt19937 random(7);
    int oldSeen = 0, newSeen = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const auto delay = saveTime * 2 * static_cast<int>(random() % 1000) / 1000;
        ASSERT_TRUE(KilledDuringSave(dir.File(), delay));
        const std::optional<std::string> bytes = ReadBytes(dir.File());
        ASSERT_TRUE(bytes == oldBytes || bytes == newBytes) << "trial " << trial;
        ++(bytes == newBytes ? newSeen : oldSeen);
        // The next save removes any temporary file the killed one left.
        SaveWhole(OldRankings, dir.File());
        ASSERT_EQ(OtherFiles(dir.Path()), 0) << "trial " << trial;
    }
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);
}

}  // namespace
