// The falling piece's moves. A refused move changes nothing and draws nothing.
#include "core/core.h"

void ShiftLeft(GameState& state, GameServices& services) {
    if (!PieceCollides(state, state.piece.column - 1, state.piece.row)) {
        --state.piece.column;
        services.RedrawPlayArea(state);
    }
}

void ShiftRight(GameState& state, GameServices& services) {
    if (!PieceCollides(state, state.piece.column + 1, state.piece.row)) {
        ++state.piece.column;
        services.RedrawPlayArea(state);
    }
}

// The piece turns inside its fixed box; a turn that would collide is simply undone.
void Rotate(GameState& state, GameServices& services) {
    const int before = state.piece.rotation;
    state.piece.rotation = before % 4 + 1;
    if (PieceCollides(state, state.piece.column, state.piece.row)) {
        state.piece.rotation = before;
        return;
    }
    services.RedrawPlayArea(state);
}

// Straight down without drawing the rows in between; the lock shows the result.
void Drop(GameState& state, GameServices& services) {
    while (!PieceCollides(state, state.piece.column, state.piece.row + 1)) {
        ++state.piece.row;
    }
    LockPiece(state, services);
}

void GravityStep(GameState& state, GameServices& services) {
    if (PieceCollides(state, state.piece.column, state.piece.row + 1)) {
        LockPiece(state, services);
    } else {
        ++state.piece.row;
        services.RedrawPlayArea(state);
    }
    services.DrawGamePanel(state);
}
