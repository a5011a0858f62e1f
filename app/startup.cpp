// Start-up in its fixed order, the event loop, and shutdown.
#include <cstdio>
#include <optional>

#include "app/app.h"
#include "view/view.h"

namespace {

constexpr int MainWindow = 0;
constexpr int WindowWidth = 800;  // pixels
constexpr int WindowHeight = 600;
constexpr int PlayAreaX = 200;  // window pixels
constexpr int PlayAreaY = 55;
constexpr int PlayAreaWidth = 320;
constexpr int PlayAreaHeight = 535;

struct MenuButtonFace {
    const char* caption;  // UTF-8 here, Windows-1252 on the face
    int y;
};
constexpr MenuButtonFace MenuButtons[] = {
    {"Nouvelle partie", 70},    {"Règle du jeu", 95}, {"Mode de jeu", 120},
    {"Efface classement", 145}, {"Quitter", 170},
};
constexpr int MenuButtonX = 40;
constexpr int MenuButtonWidth = 140;
constexpr int MenuButtonHeight = 20;

void OpenSound(Midi& midi) {
    OpenMidiOutput(midi);
    SelectInstrument(midi, 0, 13);  // Xylophone
    SelectInstrument(midi, 1, 14);  // Tubular Bells
    SelectInstrument(midi, 2, 55);  // Orchestra Hit
}

void MakeMenuButtons(Handle window) {
    BeginGadgets(window);
    int number = 1;
    for (const MenuButtonFace& button : MenuButtons) {
        const Handle face = MakeButtonImage(FirstButtonImage + number - 1, MenuButtonWidth,
                                            MenuButtonHeight, Windows1252(button.caption));
        NewImageButton(number, MenuButtonX, button.y, MenuButtonWidth, MenuButtonHeight, face);
        SetGadgetName(number, Windows1252(button.caption));
        ++number;
    }
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
    program.window = OpenMainWindow(MainWindow, 0, 0, WindowWidth, WindowHeight,
                                    WindowBorderless | WindowCentred, "Quickstack");
    if (program.window == 0) {
        return Fail("the main window could not be opened");
    }
    SetWindowIcon(program.window);
    if (!OpenPlayArea(program.window, PlayAreaX, PlayAreaY, PlayAreaWidth, PlayAreaHeight)) {
        return Fail("the play area could not be opened");
    }
    StartTimer(program.window, GravityPeriod);
    LoadRankings(program.rankings, program.rankingFile);
    OpenSound(program.midi);
    BuildStaticArtwork(program.state.random);
    MakeBlockSprites();
    MakeMenuButtons(program.window);
    SetMessageHook([&program](Handle window, std::uint32_t message, std::intptr_t, std::intptr_t) {
        return WindowSkin(window, message, program.state, [&program] {
            program.services.DrawRankingPanel(program.state.GameMode);
        });
    });
    return std::nullopt;
}

int RunQuickstack() {
    Program program;
    program.state.random.SeedRandom(TickCount());
    if (const std::optional<int> failed = StartUp(program)) {
        return *failed;
    }
    RunEventLoop(program);
    ShutdownPlatform();
    return 0;
}
