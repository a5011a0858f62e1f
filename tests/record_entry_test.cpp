#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/core.h"
#include "ranking/ranking.h"
#include "tests/ranking_test_support.h"

namespace {

struct Request {
    std::string title, prompt, defaultText;
    bool operator==(const Request&) const = default;
};

// Stands in for the name requester: records each request and answers the next name.
struct NameRequester {
    std::vector<std::string> answers;
    std::vector<Request> requests;
    NameRequest Function() {
        return [this](std::string_view title, std::string_view prompt, std::string_view text) {
            requests.push_back({std::string(title), std::string(prompt), std::string(text)});
            return answers.at(requests.size() - 1);
        };
    }
};

std::string Title(int place) {
    return "Bravo, tu es le N\xB0 " + std::to_string(place);
}

std::vector<RankingEntry> Times(std::initializer_list<std::int32_t> times, std::uint8_t mode = 0) {
    std::vector<RankingEntry> ranking;
    for (const std::int32_t t : times) {
        ranking.push_back(Entry(mode, "old" + std::to_string(t), t));
    }
    return ranking;
}

std::vector<RankingEntry> Nineteen() {
    return Times(
        {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170, 180, 190});
}

// Finishes a game of the mode that took `timeMs`, across the wrap of the tick count, in a
// game alone: its rankings are those of the file, which is made from them when missing.
GameState FinishedGame(Rankings& rankings, int gameMode, std::int32_t timeMs,
                       NameRequester& requester, const std::filesystem::path& file) {
    if (!std::filesystem::exists(file)) {
        SaveWhole(rankings, file);
    }
    GameState state;
    state.GameMode = gameMode;
    state.Playing = 1;
    state.ChronoStart = 0xFFFFF000u;
    RecordFinish(state, rankings, state.ChronoStart + static_cast<std::uint32_t>(timeMs),
                 requester.Function(), file);
    return state;
}

struct Placement {
    std::string label;
    friend void PrintTo(const Placement& c, std::ostream* os) { *os << c.label; }
    std::vector<RankingEntry> before;
    std::int32_t timeMs;
    int place;  // 1 to 19
    std::size_t sizeAfter;
};

class RecordPlacement : public testing::TestWithParam<Placement> {};

TEST_P(RecordPlacement, FilesTheTimeAtItsPlace) {
    ScratchDirectory dir;
    Rankings rankings{GetParam().before, {}, ""};
    NameRequester requester{{"Ana"}, {}};
    const GameState state = FinishedGame(rankings, 0, GetParam().timeMs, requester, dir.File());
    EXPECT_EQ(state.Playing, 0);
    EXPECT_EQ(state.ChronoNow, state.ChronoStart + static_cast<std::uint32_t>(GetParam().timeMs));
    EXPECT_EQ(requester.requests,
              (std::vector<Request>{{Title(GetParam().place), "Entre ton nom :", ""}}));
    std::vector<RankingEntry> expected = GetParam().before;
    expected.insert(expected.begin() + GetParam().place - 1, Entry(0, "Ana", GetParam().timeMs));
    expected.resize(GetParam().sizeAfter);
    EXPECT_EQ(rankings.SprintRanking, expected);
    Rankings saved;
    LoadRankings(saved, dir.File());
    EXPECT_EQ(saved.SprintRanking, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Places, RecordPlacement,
    testing::Values(Placement{"EmptyRanking", {}, 5000, 1, 1},
                    Placement{"Fastest", Times({10, 20}), 5, 1, 3},
                    Placement{"EqualGoesBefore", Times({10, 20, 30}), 20, 2, 4},
                    Placement{"SlowestAppended", Times({10, 20}), 25, 3, 3},
                    Placement{"MiddleOfFull", Nineteen(), 95, 10, 19},
                    Placement{"EqualToNineteenth", Nineteen(), 190, 19, 19},
                    Placement{"FirstOfFull", Nineteen(), 1, 1, 19},
                    Placement{"NegativeBeforeNegative", Times({-20, 10}), -30, 1, 3},
                    Placement{"ZeroAfterNegative", Times({-20, 10}), 0, 2, 3},
                    Placement{"OutOfOrderStopsAtFirstSlower", Times({50, 10, 20}), 30, 1, 4}));

TEST(RecordFinish, PlaceTwentyAsksNothingAndWritesNothing) {
    ScratchDirectory dir;
    Rankings rankings{Nineteen(), {}, "Ana"};
    const Rankings before = rankings;
    SaveWhole(rankings, dir.File());
    struct stat saved {};
    ASSERT_EQ(stat(dir.File().c_str(), &saved), 0);
    NameRequester requester;
    const GameState state = FinishedGame(rankings, 0, 191, requester, dir.File());
    EXPECT_EQ(state.Playing, 0);
    EXPECT_TRUE(requester.requests.empty());
    EXPECT_EQ(rankings, before);
    struct stat after {};
    ASSERT_EQ(stat(dir.File().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, saved.st_ino) << "the file was replaced";
}

TEST(RecordFinish, LongerLoadedRankingLosesOnlyItsLastEntry) {
    ScratchDirectory dir;
    std::vector<RankingEntry> long_ranking = Nineteen();
    long_ranking.push_back(Entry(0, "twenty", 200));
    long_ranking.push_back(Entry(0, "twenty-one", 210));
    Rankings rankings{long_ranking, {}, ""};
    NameRequester requester{{"Ana"}, {}};
    FinishedGame(rankings, 0, 15, requester, dir.File());
    ASSERT_EQ(rankings.SprintRanking.size(), 21u);
    EXPECT_EQ(rankings.SprintRanking[1], Entry(0, "Ana", 15));
    EXPECT_EQ(rankings.SprintRanking.back(), Entry(0, "twenty", 200));
}

TEST(RecordFinish, EnduranceFinishRewritesBothRankings) {
    ScratchDirectory dir;
    Rankings rankings{Times({10}), Times({100}, 1), ""};
    NameRequester requester{{"Luc"}, {}};
    FinishedGame(rankings, 1, 50, requester, dir.File());
    EXPECT_EQ(rankings.SprintRanking, Times({10}));
    EXPECT_EQ(ReadBytes(dir.File()),
              Record(0, "old10", 10) + Record(1, "Luc", 50) + Record(1, "old100", 100));
}

struct Naming {
    std::string label;
    friend void PrintTo(const Naming& c, std::ostream* os) { *os << c.label; }
    std::string typed;
    std::string stored;  // the 16 bytes of the name field
};

class RecordName : public testing::TestWithParam<Naming> {};

TEST_P(RecordName, StoresSixteenBytesAndRemembersTheWholeName) {
    ScratchDirectory dir;
    Rankings rankings;
    NameRequester requester{{GetParam().typed, "next"}, {}};
    FinishedGame(rankings, 0, 100, requester, dir.File());
    EXPECT_EQ(ReadBytes(dir.File()),
              std::string(1, '\0') + GetParam().stored + std::string("\x64\0\0\0", 4));
    EXPECT_EQ(rankings.LastPlayerName, GetParam().typed);
    FinishedGame(rankings, 1, 100, requester, dir.File());
    ASSERT_EQ(requester.requests.size(), 2u);
    EXPECT_EQ(requester.requests[1].defaultText, GetParam().typed);
}

INSTANTIATE_TEST_SUITE_P(
    Names, RecordName,
    testing::Values(Naming{"Empty", "", std::string(16, '\0')},
                    Naming{"Short", "Ana", "Ana" + std::string(13, '\0')},
                    Naming{"Sixteen", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP"},
                    Naming{"Seventeen", "ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOP"},
                    Naming{"LongestTypeable", std::string(9999, 'x'), std::string(16, 'x')},
                    Naming{"AccentsAndDegree", "H\xE9l\xE8ne N\xB0 1 \xE7\xE0",
                           "H\xE9l\xE8ne N\xB0 1 \xE7\xE0" + std::string(2, '\0')},
                    Naming{"OutsideTheCharacterSet", "\xC9lo\xEFse ???",
                           "\xC9lo\xEFse ???" + std::string(6, '\0')}));

}  // namespace
