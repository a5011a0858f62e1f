// The frameless window draws its own outline: a rounded title band over a rounded body,
// the background artwork masked to that shape, and the contents over it.
#include "view/view.h"

namespace {

constexpr int OutlineWidth = 4;  // pixels
constexpr std::int32_t Black = PackColour(0, 0, 0);
constexpr std::int32_t White = PackColour(255, 255, 255);

constexpr int BodyInset = 20;  // pixels left and right of the body, below the band
constexpr RoundRect Band{0, 0, Window.width, 50, 50, 50};
constexpr RoundRect Body{BodyInset, 0, Window.width - BodyInset, Window.height, 50, 50};

// White inside both rounded rectangles, black outside and along their outlines; the
// band is painted last, so its lower outline crosses the window between band and body.
void PaintSkinMask() {
    NewImage(SkinMaskImage, Window.width, Window.height);
    BeginDrawing(ImageTarget(SkinMaskImage));
    DrawRoundRect(BodyInset + 1, 1, Window.width - BodyInset - 1, Window.height - 1, 48, 48,
                  OutlineWidth, Black, White);
    DrawRoundRect(1, 1, Window.width - 1, 48, 48, 48, OutlineWidth, Black, White);
    EndDrawing();
}

// The window is erased with the artwork, and the mask ANDed over it: the same picture as
// the artwork masked and made the background, without keeping a second window-sized one.
void SkinWindow(Handle window) {
    SetWindowBackground(window, ImageHandle(BackgroundImage));
    SetWindowShape(window, Band, Body);
    PaintSkinMask();
    BeginDrawing(WindowTarget());
    AndBlitImage(ImageHandle(SkinMaskImage), 0, 0);
    EndDrawing();
    FreeImage(SkinMaskImage);
}

void RedrawContents(GameState& state, const std::function<void()>& drawRankingPanel) {
    ShowSprite(BackdropSprite, 0, 0);
    DrawWell(state);
    if (state.Playing == 1) {
        RedrawPlayArea(state);
    }
    PresentPlayArea();
    drawRankingPanel();
    DrawGamePanel(state);
}

}  // namespace

std::uint32_t WindowSkin(Handle window, std::uint32_t message, GameState& state,
                         const std::function<void()>& drawRankingPanel) {
    if (message == MsgRepaint) {
        SkinWindow(window);
        RedrawContents(state, drawRankingPanel);
    }
    return HookDefault;
}
