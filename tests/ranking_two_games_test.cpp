// Two games at once on one ranking file: each save makes its one change to what the file
// holds at that moment, so that neither undoes the other's, and each game then shows what
// it wrote.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "core/core.h"
#include "ranking/ranking.h"
#include "tests/ranking_test_support.h"

namespace {

using Entries = std::vector<RankingEntry>;

// A game of the mode finished in `timeMs` under `name`; returns the place the title told.
std::string Finish(Rankings& rankings, int gameMode, std::int32_t timeMs, const std::string& name,
                   const std::filesystem::path& file) {
    GameState state;
    state.GameMode = gameMode;
    state.Playing = 1;
    std::string told;
    RecordFinish(
        state, rankings, state.ChronoStart + static_cast<std::uint32_t>(timeMs),
        [&](std::string_view title, auto, auto) {
            told = title.substr(title.rfind(' ') + 1);
            return name;
        },
        file);
    return told;
}

const RankingEntry Alice = Entry(0, "Alice", 70000);
const RankingEntry Carl = Entry(0, "Carl", 50000);
const RankingEntry Bob = Entry(1, "Bob", 300000);
const RankingEntry Zoe = Entry(0, "Zo\xE9", 60000);

TEST(TwoGames, RecordInOneAndClearingInTheOtherBothReachTheFile) {
    ScratchDirectory dir;
    SaveWhole(Rankings{{Alice}, {Bob}, ""}, dir.File());
    Rankings first, second;
    LoadRankings(first, dir.File());
    LoadRankings(second, dir.File());
    Finish(first, 0, 60000, "Zo\xE9", dir.File());
    EXPECT_EQ(first, (Rankings{{Zoe, Alice}, {Bob}, "Zo\xE9"}));
    ClearRanking(second, 1, dir.File());
    EXPECT_EQ(second, (Rankings{{Zoe, Alice}, {}, ""})) << "the clearing game shows the record";
    EXPECT_EQ(ReadBytes(dir.File()), Record(0, "Zo\xE9", 60000) + Record(0, "Alice", 70000));
}

TEST(TwoGames, RecordAfterTheOtherClearedIsAloneInTheFile) {
    ScratchDirectory dir;
    SaveWhole(Rankings{{Carl, Alice}, {Bob}, ""}, dir.File());
    Rankings first, second;
    LoadRankings(first, dir.File());
    LoadRankings(second, dir.File());
    ClearRanking(second, 0, dir.File());
    EXPECT_EQ(Finish(first, 0, 60000, "Zo\xE9", dir.File()), "1") << "the place in the file";
    EXPECT_EQ(first, (Rankings{{Zoe}, {Bob}, "Zo\xE9"}));
    EXPECT_EQ(ReadBytes(dir.File()), Record(0, "Zo\xE9", 60000) + Record(1, "Bob", 300000));
}

TEST(TwoGames, FinishSlowerThanTheRankingTheOtherClearedIsFirst) {
    ScratchDirectory dir;
    SaveWhole(Rankings{std::vector<RankingEntry>(MaxRankingEntries, Carl), {}, ""}, dir.File());
    Rankings first, second;
    LoadRankings(first, dir.File());
    LoadRankings(second, dir.File());
    ClearRanking(second, 0, dir.File());
    EXPECT_EQ(Finish(first, 0, 60000, "Zo\xE9", dir.File()), "1");
    EXPECT_EQ(ReadBytes(dir.File()), Record(0, "Zo\xE9", 60000));
}

TEST(TwoGames, FinishSlowerThanTheRankingTheOtherFilledAsksForNoName) {
    ScratchDirectory dir;
    Rankings first;
    LoadRankings(first, dir.File());
    SaveWhole(Rankings{std::vector<RankingEntry>(MaxRankingEntries, Carl), {}, ""}, dir.File());
    const std::string before = ReadBytes(dir.File()).value_or("");
    EXPECT_EQ(Finish(first, 0, 60000, "Zo\xE9", dir.File()), "") << "a name box was shown";
    EXPECT_EQ(ReadBytes(dir.File()), before);
    EXPECT_EQ(first.SprintRanking.size(), std::size_t{MaxRankingEntries}) << "the file's list";
}

// A game stopped (SIGSTOP) in the middle of its save keeps the lock: the other game's
// changes wait, shown at once, and reach the file in order once it lets go.
TEST(TwoGames, ChangesWaitForAStoppedLockHolderThenReachTheFile) {
    ScratchDirectory dir;
    SaveWhole(Rankings{{Alice}, {Bob}, ""}, dir.File());
    const std::string before = ReadBytes(dir.File()).value_or("");
    Rankings game;
    LoadRankings(game, dir.File());
    const pid_t holder = fork();
    if (holder == 0) {
        const int folder = open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
        _exit(flock(folder, LOCK_EX) == 0 && raise(SIGSTOP) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(holder, &status, WUNTRACED), holder);
    ASSERT_TRUE(WIFSTOPPED(status));
    EXPECT_EQ(Finish(game, 0, 60000, "Zo\xE9", dir.File()), "1");
    ClearRanking(game, 1, dir.File());
    const Rankings shown{{Zoe, Alice}, {}, "Zo\xE9"};
    EXPECT_EQ(game, shown);
    EXPECT_FALSE(SavePendingChanges(game, dir.File()));
    EXPECT_EQ(ReadBytes(dir.File()), before);
    kill(holder, SIGCONT);
    waitpid(holder, &status, 0);
    EXPECT_TRUE(SavePendingChanges(game, dir.File()));
    EXPECT_EQ(game, shown);
    EXPECT_EQ(ReadBytes(dir.File()), Record(0, "Zo\xE9", 60000) + Record(0, "Alice", 70000));
}

// Games in processes of their own, started from the same file at the same moment, each
// filing three times: the file ends with every one of them, in order.
TEST(TwoGames, ManyGamesSavingAtOnceLoseNoRecord) {
    constexpr int Games = 6;
    constexpr int RecordsEach = 3;  // 18 in all, within the 19 places
    ScratchDirectory dir;
    SaveWhole(Rankings{}, dir.File());
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> games;
    for (int game = 0; game < Games; ++game) {
        const pid_t child = fork();
        if (child == 0) {
            close(start[1]);
            Rankings rankings;
            LoadRankings(rankings, dir.File());
            char go = 0;
            const bool started = read(start[0], &go, 1) == 0;
            for (int i = 0; i < RecordsEach && started; ++i) {
                Finish(rankings, 1, 1000 * (i * Games + game + 1), "g" + std::to_string(game),
                       dir.File());
            }
            SaveAtExit(rankings, dir.File());
            _exit(started ? 0 : 1);
        }
        games.push_back(child);
    }
    close(start[0]);
    close(start[1]);  // every game starts at once
    for (const pid_t game : games) {
        int status = 0;
        waitpid(game, &status, 0);
        EXPECT_EQ(status, 0);
    }
    Rankings saved;
    LoadRankings(saved, dir.File());
    std::vector<std::int32_t> times;
    for (const RankingEntry& entry : saved.EnduranceRanking) {
        times.push_back(entry.timeMs);
    }
    std::vector<std::int32_t> expected(Games * RecordsEach);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expected[i] = 1000 * static_cast<std::int32_t>(i + 1);
    }
    EXPECT_EQ(times, expected);
    EXPECT_EQ(OtherFiles(dir.Path()), 0);
}

}  // namespace
