// What each input does, with and without a game running: the calls it makes of the
// services, the mode it leaves, and whether the program goes on.
#include <gtest/gtest.h>

#include "core/core.h"
#include "tests/fake_services.h"

namespace {

struct CommandCase {
    const char* name;
    int playing;
    Input input;
    const char* calls;  // the log's entries, a panel's reading left out
    int modeAfter = 0;
    bool goesOn = true;
};

std::string Calls(const std::vector<std::string>& log) {
    std::string calls;
    for (const std::string& entry : log) {
        calls += (calls.empty() ? "" : "; ") + (entry.starts_with("panel ") ? "panel" : entry);
    }
    return calls;
}

class Commands : public testing::TestWithParam<CommandCase> {};

TEST_P(Commands, ActUnderTheirGuards) {
    const CommandCase& c = GetParam();
    FakeServices services;
    GameState state;
    state.random.SeedRandom(7);
    StartNewGame(state, services);
    state.Playing = c.playing;
    services.log.clear();
    EXPECT_EQ(ApplyInput(state, c.input, services), c.goesOn);
    EXPECT_EQ(Calls(services.log), c.calls);
    EXPECT_EQ(state.GameMode, c.modeAfter);
}

using K = Input::Kind;
INSTANTIATE_TEST_SUITE_P(
    Inputs, Commands,
    testing::Values(CommandCase{"TickWithoutGame", 0, {K::Tick}, ""},
                    CommandCase{"ArrowWithoutGame", 0, {K::Key, DownArrow}, ""},
                    CommandCase{"Tick", 1, {K::Tick}, "redraw; panel"},
                    CommandCase{"LeftArrow", 1, {K::Key, LeftArrow}, "redraw"},
                    CommandCase{"OtherKey", 1, {K::Key, 'A'}, ""},
                    CommandCase{"RulesWithoutGame", 0, {K::Button, RulesButton}, "rules"},
                    CommandCase{"RulesDuringGame", 1, {K::Button, RulesButton}, ""},
                    CommandCase{
                        "ModeWithoutGame", 0, {K::Button, ModeButton}, "ranking panel 1", 1},
                    CommandCase{"ModeDuringGame", 1, {K::Button, ModeButton}, ""},
                    CommandCase{"ClearDuringGame", 1, {K::Button, ClearButton}, "clear 0; repaint"},
                    CommandCase{"UnknownButton", 0, {K::Button, 6}, ""},
                    CommandCase{"Quit", 1, {K::Button, QuitButton}, "", 0, false},
                    CommandCase{"Close", 1, {K::Close}, "", 0, false}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST(Commands, NewGameStartsOneAndDrawsThePanelLast) {
    FakeServices services;
    GameState state;
    EXPECT_TRUE(ApplyInput(state, {Input::Kind::Button, NewGameButton}, services));
    EXPECT_EQ(state.Playing, 1);
    EXPECT_TRUE(services.log.back().starts_with("panel 00:00:00"));
}

}  // namespace
