// Every picture start-up makes before the first frame: the static artwork (backdrops,
// panels, background) and the seven block sprites; then those drawn after it, the lost
// and count-down sprites.
#include "bench/started_game.h"
#include "view/view.h"

namespace {

// Times `build` over and over in a program started as a player starts it.
template <typename Build>
void TimeBuilding(benchmark::State& state, Build build) {
    const std::unique_ptr<Program> program = StartedGame(state);
    if (!program) {
        return;
    }
    for (auto _ : state) {
        build(*program);
    }
    ShutdownPlatform();
}

void BuildStartUpPictures(benchmark::State& state) {
    TimeBuilding(state, [](Program& program) {
        BuildStaticArtwork(program.state.random);
        MakeBlockSprites();
    });
}
BENCHMARK(BuildStartUpPictures)->Unit(benchmark::kMillisecond);

void BuildPicturesAfterTheFirstFrame(benchmark::State& state) {
    TimeBuilding(state, [](Program&) { BuildGameSprites(); });
}
BENCHMARK(BuildPicturesAfterTheFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
