// Every picture start-up makes before the first frame: the static artwork (backdrops,
// panels, background, the lost and count-down sprites) and the seven block sprites.
#include "bench/started_game.h"
#include "view/view.h"

namespace {

void BuildStartUpPictures(benchmark::State& state) {
    const std::unique_ptr<Program> program = StartedGame(state);
    if (!program) {
        return;
    }
    for (auto _ : state) {
        BuildStaticArtwork(program->state.random);
        MakeBlockSprites();
    }
    ShutdownPlatform();
}
BENCHMARK(BuildStartUpPictures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
