// One repaint of the whole window, as the platform runs it when the window is exposed or
// a ranking is cleared: erase, the skin's shape and masked background, the play area,
// both panels, and the surface put on screen. At start, and during a game on a full
// well, where the play area is presented twice and the second present waits out the
// pace of the first: CPU time is the work, wall time includes that wait.
#include "bench/started_game.h"

namespace {

enum Moment { AtStart, FullWellInGame };

void RepaintWindow(benchmark::State& state) {
    const std::unique_ptr<Program> program = StartedGame(state);
    if (!program) {
        return;
    }
    if (state.range(0) == FullWellInGame) {
        FillWell(program->state);
    }
    TimeUnpaced(state, [&] { RepaintNow(program->window); });
    ShutdownPlatform();
}
BENCHMARK(RepaintWindow)
    ->ArgName("in_game")
    ->Arg(AtStart)
    ->Arg(FullWellInGame)
    ->Iterations(100)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
