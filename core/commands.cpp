// What each input does to the game: the gravity tick and the arrows act only on a running
// game, the menu buttons at any time under their own guards.
#include "core/core.h"

namespace {

void MovePiece(GameState& state, int keyCode, GameServices& services) {
    switch (keyCode) {
        case LeftArrow:
            ShiftLeft(state, services);
            break;
        case RightArrow:
            ShiftRight(state, services);
            break;
        case UpArrow:
            Rotate(state, services);
            break;
        case DownArrow:
            Drop(state, services);
            break;
        default:
            break;
    }
}

// Switching the mode under a running game would file it in the other mode's ranking,
// so the mode changes only between games.
void SwitchMode(GameState& state, GameServices& services) {
    if (state.Playing == 1) {
        return;
    }
    state.GameMode = state.GameMode == 0 ? 1 : 0;
    services.DrawRankingPanel(state.GameMode);
}

bool PressButton(GameState& state, int button, GameServices& services) {
    switch (button) {
        case NewGameButton:
            StartNewGame(state, services);
            services.DrawGamePanel(state);
            return true;
        case RulesButton:
            if (state.Playing == 0) {
                services.ShowRules();
            }
            return true;
        case ModeButton:
            SwitchMode(state, services);
            return true;
        case ClearButton:
            services.ClearRanking(state.GameMode);
            services.RepaintWindow();
            return true;
        case QuitButton:
            return false;
        default:
            return true;
    }
}

}  // namespace

bool ApplyInput(GameState& state, Input input, GameServices& services) {
    switch (input.kind) {
        case Input::Kind::Tick:
            if (state.Playing == 1) {
                GravityStep(state, services);
            }
            return true;
        case Input::Kind::Key:
            if (state.Playing == 1) {
                MovePiece(state, input.code, services);
            }
            return true;
        case Input::Kind::Button:
            return PressButton(state, input.code, services);
        case Input::Kind::Close:
            return false;
    }
    return true;
}
