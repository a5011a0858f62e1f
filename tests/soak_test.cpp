// Sessions of many seeded games on the fake clock: the greedy player with random slips,
// new games, mode switches and clearings in between, and a player who types one of a few
// names at each record, every input handed to the game's own ApplyInput as the shell
// hands it over, while a second game on the same ranking file now and then files a record
// or clears a ranking. After every event the well, the falling piece, the score, the
// chrono and both rankings are checked, and the ranking file is read back: it must hold
// every record of both games that no faster one or clearing has pushed out. Ticks and
// keys between games, and the mode and rules buttons during one, must do nothing.
// QUICKSTACK_SOAK_SECONDS sets how long it plays (20 by default); a failure names the
// session's seed, which QUICKSTACK_SOAK_SEED starts from.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "core/core.h"
#include "ranking/ranking.h"
#include "tests/fake_services.h"
#include "tests/greedy_player.h"
#include "tests/ranking_test_support.h"

namespace {

constexpr int GamesPerSession = 10;
constexpr int MinimumSessions = 4;  // enough for wins, losses and a finish too slow to rank
constexpr int OtherGameOdds = 400;  // one event in this many is a save of the other game

int Setting(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? std::atoi(value) : fallback;
}

// Escape, a Windows-1252 letter, exactly 16 bytes, and more than 16.
const std::string Names[] = {"", "Zo\xE9", "Bob", "ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOPQRST"};

std::string NameField(const std::string& name) {
    std::string field = name.substr(0, RankingNameSize);
    field.resize(RankingNameSize, '\0');
    return field;
}

// What the file must hold after each save of either game: its one change made to what it
// held before, the new entry before the first that is not faster, 19 entries at most.
struct RankingModel {
    Rankings expected;

    void Insert(int mode, const std::string& name, std::int32_t timeMs) {
        std::vector<RankingEntry>& ranking = CurrentRanking(expected, mode);
        RankingEntry entry{static_cast<std::uint8_t>(mode), {}, timeMs};
        NameField(name).copy(entry.name.data(), RankingNameSize);
        ranking.insert(std::find_if(ranking.begin(), ranking.end(),
                                    [timeMs](const auto& e) { return e.timeMs >= timeMs; }),
                       entry);
        if (ranking.size() > MaxRankingEntries) {
            ranking.pop_back();
        }
    }
    void Clear(int mode) { CurrentRanking(expected, mode).clear(); }
    // A game's rankings right after its own save.
    bool Shows(const Rankings& rankings) const {
        return rankings.SprintRanking == expected.SprintRanking &&
               rankings.EnduranceRanking == expected.EnduranceRanking;
    }
};

// Record entry as the program runs it, watched: a time that earns a place is asked a name
// for, with the last name as default, and lands at the place the title tells.
class SoakServices : public FakeServices {
  public:
    SoakServices(std::uint32_t start, std::filesystem::path file, std::mt19937& dice,
                 RankingModel& model)
        : FakeServices(start), file_(std::move(file)), dice_(dice), model_(model) {}

    Rankings rankings;
    bool current = true;  // false while the other game has saved since this one did
    int records = 0;
    std::string problem;  // the first broken rule of record entry

    void ClearRanking(int gameMode) override {
        FakeServices::ClearRanking(gameMode);
        ::ClearRanking(rankings, gameMode, file_);
        model_.Clear(gameMode);
        current = true;
    }

    void RecordFinish(GameState& state) override {
        const auto timeMs = static_cast<std::int32_t>(now - state.ChronoStart);
        // A place is earned in the file as it is when the game ends, whatever this game
        // last read of it.
        const std::vector<RankingEntry>& inFile = CurrentRanking(model_.expected, state.GameMode);
        const bool earnsPlace = inFile.size() < MaxRankingEntries || inFile.back().timeMs >= timeMs;
        int place = 0;
        std::string name;
        const auto askName = [&](std::string_view title, std::string_view, std::string_view shown) {
            if (shown != lastName_) {
                Note("the name request does not offer the last name");
            }
            place = std::atoi(std::string(title.substr(title.rfind(' ') + 1)).c_str());
            name = Names[dice_() % std::size(Names)];
            lastName_ = name;
            return name;
        };
        ::RecordFinish(state, rankings, now, askName, file_);
        finishedTime = ChronoValue(state);
        log.push_back("finish");
        if (state.Playing != 0 || finishedTime != timeMs) {
            Note("the finish did not stop the game at its time");
        }
        if (earnsPlace != (place > 0)) {
            Note(earnsPlace ? "a place was not asked for" : "a name was asked for no place");
        } else if (place > 0) {
            ++records;
            model_.Insert(state.GameMode, name, timeMs);
            const std::vector<RankingEntry>& saved = CurrentRanking(rankings, state.GameMode);
            if (static_cast<std::size_t>(place) > saved.size() ||
                saved[place - 1].timeMs != timeMs ||
                std::string(saved[place - 1].name.data(), RankingNameSize) != NameField(name)) {
                Note("the record is not at the place the title gave");
            }
        }
        current = true;  // a finish reads the file again, ranked or not
    }

  private:
    void Note(const std::string& what) {
        if (problem.empty()) {
            problem = what;
        }
    }

    std::filesystem::path file_;
    std::mt19937& dice_;
    RankingModel& model_;
    std::string lastName_;
};

// What the game's log says happened since the new game: locks, removed rows and points,
// each row scoring 10, 15, 20 or 25 as the first to fourth row of its lock.
struct Tally {
    int locks = 0;
    int rows = 0;
    int score = 0;
    int rowsOfLock = 0;

    void Add(const std::vector<std::string>& log) {
        for (const std::string& entry : log) {
            if (entry.starts_with("note 0 ")) {
                ++locks;
                rowsOfLock = 0;
            } else if (entry.starts_with("note 1 64 ")) {
                ++rows;
                ++rowsOfLock;
                score += 5 + 5 * rowsOfLock;
            }
        }
    }
};

std::string WellProblem(const GameState& state, const Tally& tally) {
    int squares = 0;
    for (int row = 0; row < WellRows; ++row) {
        for (int column = 0; column < WellColumns; ++column) {
            const int cell = state.well.Cell(column, row);
            if (cell < 0 || cell > 7) {
                return "a well cell holds " + std::to_string(cell);
            }
            squares += cell > 0 ? 1 : 0;
        }
    }
    if (squares != 4 * tally.locks - 10 * tally.rows) {
        return "the well holds " + std::to_string(squares) + " squares after " +
               std::to_string(tally.locks) + " locks and " + std::to_string(tally.rows) + " rows";
    }
    if (state.Score != tally.score) {
        return "the score is " + std::to_string(state.Score) + ", the rows gave " +
               std::to_string(tally.score);
    }
    return "";
}

std::string PlayProblem(const GameState& state, std::uint32_t now) {
    const FallingPiece& piece = state.piece;
    if (piece.kind < 1 || piece.kind > 7 || piece.rotation < 1 || piece.rotation > 4 ||
        state.NextKind < 1 || state.NextKind > 7 || state.NextKind == piece.kind) {
        return "the falling or the next piece is not a piece";
    }
    if (PieceCollides(state, piece.column, piece.row)) {
        return "the falling piece sticks out of the well or into a square";
    }
    if (ChronoValue(state) < 0 ||
        static_cast<std::uint32_t>(ChronoValue(state)) > now - state.ChronoStart) {
        return "the chrono shows " + std::to_string(ChronoValue(state));
    }
    if (state.Score >= TargetOf(state.GameMode)) {
        return "the game goes on at its target";
    }
    return "";
}

std::string RankingProblem(const Rankings& rankings, bool current, const RankingModel& model,
                           const std::filesystem::path& file) {
    for (const Rankings* shown : {&rankings, &model.expected}) {
        for (int mode : {0, 1}) {
            const std::vector<RankingEntry>& ranking = CurrentRanking(*shown, mode);
            if (ranking.size() > MaxRankingEntries) {
                return "a ranking holds " + std::to_string(ranking.size()) + " entries";
            }
            for (std::size_t i = 0; i < ranking.size(); ++i) {
                if (ranking[i].mode != mode ||
                    (i > 0 && ranking[i - 1].timeMs > ranking[i].timeMs)) {
                    return "a ranking is out of order or holds the other mode's entry";
                }
            }
        }
    }
    Rankings loaded;
    LoadRankings(loaded, file);
    const std::size_t entries =
        model.expected.SprintRanking.size() + model.expected.EnduranceRanking.size();
    const std::uintmax_t size =
        std::filesystem::exists(file) ? std::filesystem::file_size(file) : 0;
    if (!model.Shows(loaded) || size != RankingRecordSize * entries) {
        return "the ranking file lost a record or holds one it should not";
    }
    if (current && !model.Shows(rankings)) {
        return "the game does not show what it saved";
    }
    if (OtherFiles(file.parent_path()) != 0) {
        return "a save left a file behind";
    }
    return "";
}

struct Outcome {
    int won = 0;
    int lost = 0;
    int records = 0;
    int otherSaves = 0;
    long events = 0;
};

using Dispatch = bool (*)(GameState&, Input, GameServices&);

// A fault of the shell: a tick reaches the game whether or not it runs.
bool TicksAlwaysReachTheGame(GameState& state, Input input, GameServices& services) {
    if (input.kind == Input::Kind::Tick) {
        GravityStep(state, services);
        return true;
    }
    return ApplyInput(state, input, services);
}

// What an input the game must ignore did all the same, or "".
std::string GatingProblem(const GameState& before, const GameState& after, Input input,
                          const std::vector<std::string>& log) {
    const bool ignored =
        before.Playing == 0 && (input.kind == Input::Kind::Tick || input.kind == Input::Kind::Key);
    if (ignored && (!log.empty() || !(before.well == after.well) ||
                    !(before.piece == after.piece) || before.Score != after.Score)) {
        return "a tick or a key acted with no game running";
    }
    if (input.kind == Input::Kind::Button && before.Playing == 1 &&
        (input.code == ModeButton || input.code == RulesButton) &&
        (before.GameMode != after.GameMode || !log.empty())) {
        return "the mode or the rules button acted during a game";
    }
    return "";
}

class Session {
  public:
    explicit Session(std::uint32_t seed, Dispatch dispatch = ApplyInput)
        : dice_(seed),
          services_(0xFFFFFFFFu - dice_() % 2000000, scratch_.File(), dice_, model_),
          dispatch_(dispatch) {
        state_.random.SeedRandom(seed);
        FillRankings();
        LoadRankings(other_, scratch_.File());
    }

    // Plays its games; the first broken rule ends it, with the event it came after.
    std::string Play(Outcome& outcome) {
        int games = 0;
        while (games < GamesPerSession || state_.Playing == 1) {
            const bool wasPlaying = state_.Playing == 1;
            const GameState before = state_;
            const std::string event = Step();
            ++outcome.events;
            if (state_.Playing == 1 && !wasPlaying) {
                ++games;
            } else if (wasPlaying && state_.Playing == 0 && event != "new game") {
                ++(state_.Score >= TargetOf(state_.GameMode) ? outcome.won : outcome.lost);
            }
            std::string problem =
                input_ ? GatingProblem(before, state_, *input_, services_.log) : "";
            if (problem.empty()) {
                problem = WellProblem(state_, tally_);
            }
            if (problem.empty() && state_.Playing == 1) {
                problem = PlayProblem(state_, services_.now);
            }
            if (problem.empty()) {
                problem = services_.problem;
            }
            if (problem.empty()) {
                problem =
                    RankingProblem(services_.rankings, services_.current, model_, scratch_.File());
            }
            if (problem.empty() && otherSaved_ && !model_.Shows(other_)) {
                problem = "the other game does not show what it saved";
            }
            if (!problem.empty()) {
                return problem + " (after " + event + ", event " + std::to_string(outcome.events) +
                       ")";
            }
        }
        outcome.records += services_.records;
        outcome.otherSaves += otherSaves_;
        return "";
    }

  private:
    // One input, as the shell hands it over: between games mostly new games, then ticks
    // and keys that must do nothing, mode switches and the odd clearing; during one the
    // player's keys and ticks, a slip now and then, and rarely a menu button.
    std::string Step() {
        otherSaved_ = false;
        input_.reset();
        services_.log.clear();
        if (dice_() % OtherGameOdds == 0) {
            return OtherGameSaves();
        }
        const int roll = static_cast<int>(dice_() % 100000);
        if (state_.Playing == 0) {
            if (roll < 60000) {
                return Apply({Input::Kind::Button, NewGameButton}, "new game");
            }
            if (roll < 90000) {
                return Apply(roll % 2 == 0 ? Input{Input::Kind::Tick}
                                           : Input{Input::Kind::Key, LeftArrow + roll % 4},
                             "tick or key between games");
            }
            return Apply({Input::Kind::Button, roll < 99700 ? ModeButton : ClearButton}, "button");
        }
        if (roll < 4) {
            return Apply({Input::Kind::Button, roll + 1}, "button during a game");
        }
        if (roll < 10000) {
            services_.now += 1000;
            return Apply({Input::Kind::Tick}, "tick");
        }
        services_.now += dice_() % 150;
        if (roll < 11000) {
            plannedAt_ = -1;  // the player thinks again after a slip
            return Apply({Input::Kind::Key, LeftArrow + roll % 4}, "random key");
        }
        if (tally_.locks != plannedAt_) {
            plan_ = ChoosePlacement(state_);
            plannedAt_ = tally_.locks;
        }
        return Apply({Input::Kind::Key, PlayerKey(plan_)}, "player's key");
    }

    std::string Apply(Input input, const std::string& event) {
        input_ = input;
        dispatch_(state_, input, services_);
        if (input.kind == Input::Kind::Button && input.code == NewGameButton) {
            tally_ = {};  // the count-down's notes are no rows
            plannedAt_ = -1;
        } else {
            tally_.Add(services_.log);
        }
        return event;
    }

    // The greedy player's next key towards its place: turn, shift, then drop.
    int PlayerKey(const Placement& target) const {
        if (state_.piece.rotation != target.rotation) {
            return UpArrow;
        }
        if (state_.piece.column != target.column) {
            return state_.piece.column > target.column ? LeftArrow : RightArrow;
        }
        return DownArrow;
    }

    // The other game on the file, its rankings as it last loaded or saved them: mostly a
    // finish of either mode, at times around those of the ranking, sometimes a clearing.
    std::string OtherGameSaves() {
        const int mode = static_cast<int>(dice_() % 2);
        if (dice_() % 40 == 0) {
            ClearRanking(other_, mode, scratch_.File());
            model_.Clear(mode);
        } else {
            const std::uint32_t shortest = mode == 0 ? 80000 : 800000;  // milliseconds
            GameState state;
            state.GameMode = mode;
            state.Playing = 1;
            const std::string name = Names[dice_() % std::size(Names)];
            bool asked = false;
            const auto timeMs = static_cast<std::int32_t>(shortest + dice_() % (shortest * 3 / 4));
            ::RecordFinish(
                state, other_, state.ChronoStart + static_cast<std::uint32_t>(timeMs),
                [&](auto, auto, auto) {
                    asked = true;
                    return name;
                },
                scratch_.File());
            if (!asked) {
                return "the other game's finish, too slow";
            }
            model_.Insert(mode, name, timeMs);
        }
        services_.current = false;
        otherSaved_ = true;
        ++otherSaves_;
        return "the other game's save";
    }

    // A file of earlier runs: up to 19 times per mode around those the player makes.
    void FillRankings() {
        for (int mode : {0, 1}) {
            std::vector<RankingEntry>& ranking = CurrentRanking(services_.rankings, mode);
            const int count = std::min<int>(dice_() % 30, MaxRankingEntries);
            const std::uint32_t shortest = mode == 0 ? 80000 : 800000;  // milliseconds
            for (int i = 0; i < count; ++i) {
                const auto timeMs =
                    static_cast<std::int32_t>(shortest + dice_() % (shortest * 3 / 4));
                ranking.push_back(
                    Entry(static_cast<std::uint8_t>(mode), Names[i % std::size(Names)], timeMs));
            }
            std::sort(ranking.begin(), ranking.end(),
                      [](const auto& a, const auto& b) { return a.timeMs < b.timeMs; });
        }
        SaveWhole(services_.rankings, scratch_.File());
        model_.expected = services_.rankings;
    }

    std::mt19937 dice_;
    ScratchDirectory scratch_;
    RankingModel model_;
    SoakServices services_;
    Rankings other_;
    bool otherSaved_ = false;  // by the last event
    int otherSaves_ = 0;
    GameState state_;
    Tally tally_;
    Placement plan_;
    int plannedAt_ = -1;  // the lock count when the plan was made
    Dispatch dispatch_;
    std::optional<Input> input_;  // what this step handed to the game, if anything
};

TEST(Soak, GamesKeepTheWellTheScoreAndTheRankingsSound) {
    const auto end = std::chrono::steady_clock::now() +
                     std::chrono::seconds(Setting("QUICKSTACK_SOAK_SECONDS", 20));
    auto seed = static_cast<std::uint32_t>(Setting("QUICKSTACK_SOAK_SEED", 1));
    Outcome outcome;
    int sessions = 0;
    do {
        ASSERT_EQ(Session(seed).Play(outcome), "") << "session seed " << seed;
        ++seed;
        ++sessions;
    } while (sessions < MinimumSessions || std::chrono::steady_clock::now() < end);
    std::printf(
        "%d sessions, %ld events: %d games won, %d lost, %d records, %d saves of the "
        "other game\n",
        sessions, outcome.events, outcome.won, outcome.lost, outcome.records, outcome.otherSaves);
    EXPECT_GT(outcome.won, 0);
    EXPECT_GT(outcome.lost, 0);
    EXPECT_GT(outcome.records, 0);
    EXPECT_GT(outcome.otherSaves, 0);
    EXPECT_LT(outcome.records, outcome.won) << "no finish was too slow for a full ranking";
}

TEST(Soak, CatchesAShellThatLetsTicksThroughBetweenGames) {
    Outcome outcome;
    EXPECT_TRUE(Session(1, TicksAlwaysReachTheGame).Play(outcome).starts_with("a tick or a key"));
}

}  // namespace
