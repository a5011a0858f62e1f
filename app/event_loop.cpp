// The only driver of the program: one event at a time, turned into a game action.
#include "app/app.h"
#include "platform/platform.h"
#include "view/view.h"

namespace {

constexpr int DragBandTop = 1;  // window rows 1..44 drag the window
constexpr int DragBandBottom = 44;

enum MenuButton { NewGameButton = 1, RulesButton, ModeButton, ClearButton, QuitButton };

void MovePiece(Program& program, int keyCode) {
    GameState& state = program.state;
    switch (keyCode) {
        case KeyLeft:
            ShiftLeft(state, program.services);
            break;
        case KeyRight:
            ShiftRight(state, program.services);
            break;
        case KeyUp:
            Rotate(state, program.services);
            break;
        case KeyDown:
            Drop(state, program.services);
            break;
        default:
            break;
    }
}

// Switching the mode under a running game would file it in the other mode's ranking,
// so the mode changes only between games.
void SwitchMode(Program& program) {
    if (program.state.Playing == 1) {
        return;
    }
    program.state.GameMode = program.state.GameMode == 0 ? 1 : 0;
    program.DrawRankingPanel();
}

// Returns false when the player quits.
bool RunCommand(Program& program, int button) {
    switch (button) {
        case NewGameButton:
            StartNewGame(program.state, program.services);
            DrawGamePanel(program.state);
            return true;
        case RulesButton:
            if (program.state.Playing == 0) {
                ShowMessage(Windows1252("Règle du jeu"), RulesText(), 0);
            }
            return true;
        case ModeButton:
            SwitchMode(program);
            return true;
        case ClearButton:
            program.ClearRanking();
            RepaintNow(program.window);
            return true;
        case QuitButton:
            return false;
        default:
            return true;
    }
}

void PressInWindow(const Program& program) {
    const int y = CursorYInWindow();
    if (y >= DragBandTop && y <= DragBandBottom) {
        BeginWindowDrag(program.window);
    }
}

}  // namespace

void RunEventLoop(Program& program) {
    for (;;) {
        switch (WaitEvent()) {
            case EvGadget:
                if (!RunCommand(program, EventGadgetNumber())) {
                    return;
                }
                break;
            case EvTimer:
                if (program.state.Playing == 1) {
                    GravityStep(program.state, program.services);
                }
                break;
            case EvKeyDown:
                if (program.state.Playing == 1) {
                    MovePiece(program, EventKeyCode());
                }
                break;
            case EvLeftButtonDown:
                PressInWindow(program);
                break;
            case EvClose:
                return;
            default:
                break;
        }
    }
}
