// The real program, started one row short of the sprint target: a vertical straight
// piece hangs over the one gap of a bottom row worth the last 10 points, so that an
// end-to-end test can finish a game with one key. Never installed.
#include "app/app.h"
#include "view/view.h"

int main(int argc, char* argv[]) {
    StartPlatform(argc, argv, "org.quickstack.Quickstack");
    Program program;
    if (const std::optional<int> failed = StartUp(program)) {
        return *failed;
    }
    StartNewGame(program.state, program.services);
    program.state.Score = 490;
    for (int column = 0; column < WellColumns - 1; ++column) {
        program.state.well.SetCell(column, WellRows - 1, 7);
    }
    program.state.piece = {.kind = 1, .rotation = 1, .column = 8, .row = 0};
    RedrawPlayArea(program.state);
    DrawGamePanel(program.state);
    RunEventLoop(program);
    ShutdownPlatform();
    SaveAtExit(program.rankings, program.rankingFile);
    return 0;
}
