// The only driver of the program: one event at a time, handed to the game as its input.
// A press in the window's top band drags the window, which is the shell's own business.
#include "app/app.h"

namespace {

constexpr int DragBandTop = 1;  // window rows 1..44 drag the window
constexpr int DragBandBottom = 44;

void PressInWindow(const Program& program) {
    const int y = CursorYInWindow();
    if (y >= DragBandTop && y <= DragBandBottom) {
        BeginWindowDrag(program.window);
    }
}

// Changes to the rankings that another game kept from the file are tried again with each
// tick, without waiting; the panel then shows the file, the other game's records included.
void SavePendingRankings(Program& program) {
    if (SavePendingChanges(program.rankings, program.rankingFile)) {
        DrawRankingPanel(program.rankings, program.state.GameMode);
    }
}

}  // namespace

void RunEventLoop(Program& program) {
    Event event = WaitEvent();
    FinishStartUp();
    for (;; event = WaitEvent()) {
        Input input;
        switch (event.kind) {
            case EvTimer:
                SavePendingRankings(program);
                input = {Input::Kind::Tick};
                break;
            case EvKeyDown:
                input = {Input::Kind::Key, event.keyCode};
                break;
            case EvGadget:
                input = {Input::Kind::Button, event.gadgetNumber};
                break;
            case EvClose:
                input = {Input::Kind::Close};
                break;
            case EvLeftButtonDown:
                PressInWindow(program);
                continue;
            default:
                continue;
        }
        if (!ApplyInput(program.state, input, program.services)) {
            return;
        }
    }
}
