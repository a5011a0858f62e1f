#include "platform/state.h"

#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "platform/display.h"
#include "platform/termination.h"

namespace {

std::unique_ptr<PlatformState> g_state;

// Qt ends the process with exit(1) from inside its event loop when the display goes
// away. The static destructors would then tear down the widgets after Qt's own globals
// are gone, and crash: what is still up is left to the system, like the display itself.
void LeaveToTheSystemAtExit() {
    static_cast<void>(g_state.release());
}

}  // namespace

PlatformState::PlatformState() = default;
PlatformState::~PlatformState() = default;

PlatformState& State() {
    if (!g_state) {
        EnsureApplication();
        g_state = std::make_unique<PlatformState>();
        // Registered after g_state was made, so it runs before g_state's destructor.
        [[maybe_unused]] static const int registered = std::atexit(&LeaveToTheSystemAtExit);
    }
    return *g_state;
}

PlatformState* ExistingState() {
    return g_state.get();
}

Handle NewHandle() {
    return ++State().lastHandle;
}

void ShutdownPlatform() {
    if (!g_state) {
        return;
    }
    PlatformState& state = *g_state;
    state.drawing = {};
    state.playArea.reset();
    state.sprites.clear();
    state.images.clear();
    state.timer.reset();
    state.buttons.clear();
    state.window.reset();
    state.fonts.clear();
    g_state.reset();
}
