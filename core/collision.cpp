#include "core/core.h"

// Only the piece's squares are tested: the empty part of its box may lie outside the
// well. There is no test above the top, since a piece never stands above row 0.
bool PieceCollides(const GameState& state, int column, int row) {
    bool collides = false;
    ForEachSquare(PieceMask(state.piece.kind, state.piece.rotation), [&](int r, int c) {
        const int x = column + c;
        const int y = row + r;
        collides = collides || x > WellColumns - 1 || x < 0 || y > WellRows - 1 ||
                   state.well.Cell(x, y) > 0;
    });
    return collides;
}
