// The start of a game: an empty well, a five-second count-down with notes, then the
// first piece and the chrono.
#include "core/core.h"

namespace {

constexpr int FirstPieceColumn = 4;  // one column left of the pieces that follow
constexpr int CountdownX = 80;       // play-area pixels
constexpr int CountdownY = 120;
constexpr int CountdownStep = 1000;  // milliseconds per digit
constexpr int FanfarePause = 200;    // milliseconds after each of the two last notes

void CountDown(GameServices& services) {
    for (int i = 4; i >= 0; --i) {
        PlaySound(services, CountdownNote);
        services.ShowSprite(BackdropSprite, 0, 0);
        services.ShowSpriteKeyed(CountdownSprite + i, CountdownX, CountdownY);
        services.PresentPlayArea();
        services.Pause(CountdownStep);
    }
    for (const Note note : FanfareNotes) {
        PlaySound(services, note);
        services.Pause(FanfarePause);
    }
}

}  // namespace

void StartNewGame(GameState& state, GameServices& services) {
    // The old game ends here, so that nothing shown during the count-down (a repaint
    // behind a sound-error box) reads its chrono or draws the new game's first piece.
    state.Playing = 0;

    const int kind = state.random.RandomUpTo(6) + 1;
    state.NextKind = DrawNextKind(state.random, kind);
    state.piece = {.kind = kind, .rotation = 1, .column = FirstPieceColumn, .row = 0};
    state.Score = 0;
    state.well.Clear();
    state.ChronoNow = state.ChronoStart;
    services.DrawGamePanel(state);

    CountDown(services);

    services.ShowSprite(BackdropSprite, 0, 0);
    services.RedrawPlayArea(state);
    services.PresentPlayArea();
    state.ChronoStart = services.TickCount();
    services.DrawNextPiece(state);
    state.Playing = 1;
}
