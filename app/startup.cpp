// Start-up in its fixed order, the event loop, and shutdown.
#include <malloc.h>

#include <cstdio>
#include <optional>

#include "app/app.h"
#include "view/view.h"

namespace {

constexpr int MainWindow = 0;

void MakeMenuButtons(Handle window) {
    BeginGadgets(window);
    int number = 1;
    for (const MenuButtonFace& button : MenuButtons) {
        const ScreenBox& box = button.box;
        const Handle face = MakeButtonImage(FirstButtonImage + number - 1, box.width, box.height,
                                            Windows1252(button.caption));
        NewImageButton(number, box.x, box.y, box.width, box.height, face);
        SetGadgetName(number, Windows1252(button.caption));
        ++number;
    }
}

// The pictures' drawing leaves holes in the heap that it would otherwise keep for good:
// given back once, when the last of them is drawn.
void GiveBackStartUpMemory() {
    malloc_trim(0);
}

int Fail(const char* problem) {
    std::fprintf(stderr, "quickstack: %s\n", problem);
    ShutdownPlatform();
    return 1;
}

}  // namespace

std::optional<int> StartUp(Program& program) {
    if (!InitPlayAreaSystem()) {
        return 0;
    }
    program.window = OpenMainWindow(MainWindow, 0, 0, Window.width, Window.height,
                                    WindowBorderless | WindowCentred, "Quickstack");
    if (program.window == 0) {
        return Fail("the main window could not be opened");
    }
    SetWindowIcon(program.window);
    if (!OpenPlayArea(program.window, PlayArea.x, PlayArea.y, PlayArea.width, PlayArea.height)) {
        return Fail("the play area could not be opened");
    }
    StartTimer(program.window, GravityPeriod);
    LoadRankings(program.rankings, program.rankingFile);
    BuildStaticArtwork(program.state.random);
    MakeBlockSprites();
    // The sound opens on a thread of its own, begun with the program: collected after the
    // pictures, which show nothing, its wait hides behind them, and a box saying it failed
    // still comes before the buttons and the first repaint.
    OpenSound(program.midi);
    MakeMenuButtons(program.window);
    SetMessageHook([&program](Handle window, std::uint32_t message, std::intptr_t, std::intptr_t) {
        return WindowSkin(window, message, program.state, [&program] {
            program.services.DrawRankingPanel(program.state.GameMode);
        });
    });
    return std::nullopt;
}

void FinishStartUp() {
    BuildGameSprites();
    GiveBackStartUpMemory();
}

int RunQuickstack() {
    Program program;
    program.state.random.SeedRandom(TickCount());
    if (const std::optional<int> failed = StartUp(program)) {
        return *failed;
    }
    RunEventLoop(program);
    ShutdownPlatform();  // the window goes before a last save can wait for another game's
    SaveAtExit(program.rankings, program.rankingFile);
    return 0;
}
