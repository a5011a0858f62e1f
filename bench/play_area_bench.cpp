// One frame of the play area on a full well: the backdrop, 170 squares and the falling
// piece composed from sprites into the back buffer, then put on screen. Off-screen by
// default; under X, e.g. with QT_QPA_PLATFORM=xcb, the present includes the round trip.
#include "bench/started_game.h"
#include "view/view.h"

namespace {

void RedrawFullWell(benchmark::State& state) {
    const std::unique_ptr<Program> program = StartedGame(state);
    if (!program) {
        return;
    }
    FillWell(program->state);
    TimeUnpaced(state, [&] { RedrawPlayArea(program->state); });
    ShutdownPlatform();
}
BENCHMARK(RedrawFullWell)->Iterations(300)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The two halves of that frame. Composing is timed back to back, with the pictures warm in
// the cache; presenting after the pause between frames, as in the game.
void ComposeFullWell(benchmark::State& state) {
    const std::unique_ptr<Program> program = StartedGame(state);
    if (!program) {
        return;
    }
    FillWell(program->state);
    for (auto _ : state) {
        ShowSprite(BackdropSprite, 0, 0);
        DrawWell(program->state);
    }
    ShutdownPlatform();
}
BENCHMARK(ComposeFullWell)->Unit(benchmark::kMicrosecond);

void PresentFullWell(benchmark::State& state) {
    const std::unique_ptr<Program> program = StartedGame(state);
    if (!program) {
        return;
    }
    FillWell(program->state);
    RedrawPlayArea(program->state);
    TimeUnpaced(state, [] { PresentPlayArea(); });
    ShutdownPlatform();
}
BENCHMARK(PresentFullWell)->Iterations(300)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Frames one after the other: the pace the play area keeps.
void RedrawFullWellBackToBack(benchmark::State& state) {
    const std::unique_ptr<Program> program = StartedGame(state);
    if (!program) {
        return;
    }
    FillWell(program->state);
    for (auto _ : state) {
        RedrawPlayArea(program->state);
    }
    state.counters["frames"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    ShutdownPlatform();
}
BENCHMARK(RedrawFullWellBackToBack)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
