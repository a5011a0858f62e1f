// The platform's repaint: the surface erased with the background, then the hook draws.
// Exposes are served at once within the calls that handle messages and wait for the next
// of them elsewhere; presents outside a repaint go on screen at once.
#include "platform/repaint.h"

#include <QCoreApplication>
#include <QWidget>

#include "platform/display.h"
#include "platform/message_hook.h"
#include "platform/state.h"
#include "platform/targets.h"

namespace {

constexpr std::uint32_t DefaultBackground = 0xF0F0F0;  // the button-face grey

}  // namespace

void EraseSurface() {
    PlatformState& state = State();
    if (state.background) {
        state.surface.Tile(*state.background);
    } else {
        state.surface.Fill(state.surface.Bounds(), DefaultBackground);
    }
}

void RepaintNow(Handle window) {
    if (!IsMainWindow(window)) {
        return;
    }
    MessageScope scope;
    RunRepaint();
}

void RunRepaint() {
    PlatformState& state = State();
    if (!state.window) {
        return;
    }
    state.repaintPending = false;
    ++state.repaintDepth;
    EraseSurface();
    CallHook(MsgRepaint, 0, 0);
    --state.repaintDepth;
    ShowSurface(state.surface.Bounds());
}

void RequestRepaint() {
    PlatformState& state = State();
    state.repaintPending = true;
    if (state.window && !state.repaintPosted) {
        state.repaintPosted = true;
        // Qt takes ownership of posted events.
        QCoreApplication::postEvent(state.window.get(), new QEvent(RepaintRequest));
    }
}

void ServePendingRepaint() {
    if (State().repaintPending) {
        RunRepaint();
    }
}

void ShowSurface(const QRect& area) {
    PlatformState& state = State();
    const QRect shown = area & state.surface.Bounds();
    if (!state.window || !state.window->isVisible() || state.repaintDepth > 0 || shown.isEmpty()) {
        return;
    }
    state.window->repaint(shown);
    SyncWithDisplay();
}

void ServeExpose() {
    // Served before Qt paints the window it exposes, the game's frame is the first shown.
    if (State().pumpDepth > 0) {
        RunRepaint();
    } else {
        RequestRepaint();
    }
}

void ServePostedRepaint() {
    PlatformState& state = State();
    state.repaintPosted = false;
    // Outside the calls that handle messages the request waits for the next of them.
    if (state.pumpDepth > 0) {
        ServePendingRepaint();
    }
}
