#include <gtest/gtest.h>
#include <signal.h>
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

TEST(RankingRobustness, SaveIntoReadOnlyDirectoryKeepsTheOldFile) {
    ScratchDirectory dir;
    SaveWhole(OldRankings, dir.File());
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec |
                                                 std::filesystem::perms::others_exec);
    const ChildOutcome outcome = RunInChild([&] { SaveWhole(NewRankings, dir.File()); }, true);
    ExpectFailedSave(outcome, dir.File(), "Permission denied");
}

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

TEST(RankingRobustness, DirectoryInTheFilesPlaceStays) {
    ScratchDirectory dir;
    std::filesystem::create_directory(dir.File());
    const ChildOutcome outcome = RunInChild([&] { SaveWhole(NewRankings, dir.File()); });
    EXPECT_TRUE(std::filesystem::is_directory(dir.File()));
    EXPECT_NE(outcome.errors.find(dir.File().string()), std::string::npos) << outcome.errors;
    EXPECT_EQ(OtherFiles(dir.Path()), 0);
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
        if (bytes == newBytes) {
            ++newSeen;
            SaveWhole(OldRankings, dir.File());
        } else {
            ++oldSeen;
        }
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            if (entry.path() != dir.File()) {
                std::filesystem::remove(entry.path());
            }
        }
    }
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);
}

}  // namespace
