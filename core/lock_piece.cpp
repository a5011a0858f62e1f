// The end of a falling piece: it settles, full rows vanish and score, and the next
// piece comes in, unless the target is reached or the new piece finds no room.
#include "core/core.h"

namespace {

constexpr int NewPieceColumn = 5;
constexpr int RowPause = 100;  // milliseconds after each removed row

void Settle(GameState& state) {
    const FallingPiece& piece = state.piece;
    ForEachSquare(PieceMask(piece.kind, piece.rotation), [&](int r, int c) {
        state.well.SetCell(piece.column + c, piece.row + r, static_cast<std::int8_t>(piece.kind));
    });
}

bool RowIsFull(const Well& well, int row) {
    for (int column = 0; column < WellColumns; ++column) {
        if (well.Cell(column, row) <= 0) {
            return false;
        }
    }
    return true;
}

// Everything above the row moves down one row and row 0 becomes empty.
void RemoveRow(Well& well, int row) {
    for (int column = 0; column < WellColumns; ++column) {
        for (int k = row; k >= 1; --k) {
            well.SetCell(column, k, well.Cell(column, k - 1));
        }
        well.SetCell(column, 0, 0);
    }
}

void ShowWellWithoutPiece(const GameState& state, GameServices& services) {
    services.ShowSprite(BackdropSprite, 0, 0);
    services.DrawWell(state);
}

// Returns true when the row brought the game to its target.
bool ClearRow(GameState& state, GameServices& services, int row, int& rowsCleared) {
    RemoveRow(state.well, row);
    ShowWellWithoutPiece(state, services);
    services.PresentPlayArea();
    ++rowsCleared;
    state.Score += 5 * rowsCleared + 5;
    services.DrawGamePanel(state);
    PlaySound(services, RowNote);
    if (state.Score >= TargetOf(state.GameMode)) {
        services.RecordFinish(state);
        return true;
    }
    services.Pause(RowPause);
    return false;
}

void ShowLostGame(GameState& state, GameServices& services) {
    state.Playing = 0;
    PlaySound(services, LostNote);
    ShowWellWithoutPiece(state, services);
    services.ShowSpriteKeyed(LostSprite, 20, 200);
    services.PresentPlayArea();
}

}  // namespace

int TargetOf(int gameMode) {
    return gameMode == 0 ? SprintTarget : EnduranceTarget;
}

int DrawNextKind(Random& random, int fallingKind) {
    int next = 0;
    do {
        next = random.RandomUpTo(6) + 1;
    } while (next == fallingKind);
    return next;
}

void LockPiece(GameState& state, GameServices& services) {
    Settle(state);
    PlaySound(services, LockNote);

    // One pass from the top finds every full row: rows that move down into 1..y were
    // already examined, and rows below y do not move.
    int rowsCleared = 0;
    for (int row = 0; row < WellRows; ++row) {
        if (RowIsFull(state.well, row) && ClearRow(state, services, row, rowsCleared)) {
            return;
        }
    }

    state.piece = {.kind = state.NextKind, .rotation = 1, .column = NewPieceColumn, .row = 0};
    state.NextKind = DrawNextKind(state.random, state.piece.kind);
    if (PieceCollides(state, NewPieceColumn, 0)) {
        ShowLostGame(state, services);
        return;
    }
    services.RedrawPlayArea(state);
    services.DrawNextPiece(state);
}
