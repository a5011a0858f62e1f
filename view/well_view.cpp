// The well and the falling piece in the play area, and the next piece beside it.
#include "view/view.h"

namespace {

constexpr int WellLeft = 10;  // play-area pixels of the top-left cell
constexpr int WellTop = 10;
constexpr int CellSize = 30;
constexpr int PreviewCell = 20;  // pixels
constexpr std::int32_t PreviewColour = PackColour(128, 128, 200);

}  // namespace

void DrawWell(const GameState& state) {
    for (int r = 0; r < WellRows; ++r) {
        for (int c = 0; c < WellColumns; ++c) {
            const int kind = state.well.Cell(c, r);
            if (kind > 0) {
                ShowSprite(kind, WellLeft + CellSize * c, WellTop + CellSize * r);
            }
        }
    }
}

void RedrawPlayArea(const GameState& state) {
    ShowSprite(BackdropSprite, 0, 0);
    DrawWell(state);
    const FallingPiece& piece = state.piece;
    ForEachSquare(PieceMask(piece.kind, piece.rotation), [&](int r, int c) {
        ShowSprite(piece.kind, WellLeft + CellSize * (piece.column + c),
                   WellTop + CellSize * (piece.row + r));
    });
    PresentPlayArea();
}

// Every kind in one colour: only the shape tells them apart.
void DrawNextPiece(const GameState& state) {
    BeginDrawing(WindowTarget());
    BlitImage(ImageHandle(PreviewPatchImage), Preview.x, Preview.y);
    ForEachSquare(PieceMask(state.NextKind, state.piece.rotation), [](int r, int c) {
        const int x = Preview.x + PreviewCell * c;
        const int y = Preview.y + PreviewCell * r;
        DrawBox(x, y, PreviewCell - 1, PreviewCell - 1, PreviewColour);
        RaisedBevel(x, y, PreviewCell - 1, PreviewCell - 1);
    });
    EndDrawing();
}
