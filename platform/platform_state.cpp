#include "platform/platform_state.h"

#include <cstdlib>

#include "platform/widgets.h"

namespace {

std::unique_ptr<PlatformState> g_state;

// Qt ends the process with exit(1) from inside its event loop when the display goes
// away. The static destructors would then tear down the widgets after Qt's own globals
// are gone, and crash: what is still up is left to the system, like the display itself.
void LeaveToTheSystemAtExit() {
    static_cast<void>(g_state.release());
}

}  // namespace

PlatformState& State() {
    if (!g_state) {
        EnsureApplication();
        g_state = std::make_unique<PlatformState>();
        // Registered after g_state was made, so it runs before g_state's destructor.
        [[maybe_unused]] static const int registered = std::atexit(&LeaveToTheSystemAtExit);
    }
    return *g_state;
}

Handle NewHandle() {
    return ++State().lastHandle;
}

Picture* TargetPicture(Target target) {
    PlatformState& state = State();
    switch (target.kind) {
        case Target::Kind::Image: {
            auto found = state.images.find(target.number);
            return found == state.images.end() ? nullptr : &found->second.picture;
        }
        case Target::Kind::Sprite: {
            auto found = state.sprites.find(target.number);
            return found == state.sprites.end() ? nullptr : &found->second;
        }
        case Target::Kind::Window:
            return state.window ? &state.surface : nullptr;
    }
    return nullptr;
}

Picture* ImageByHandle(Handle image) {
    if (image == 0) {
        return nullptr;
    }
    for (auto& [number, entry] : State().images) {
        if (entry.handle == image) {
            return &entry.picture;
        }
    }
    return nullptr;
}

MessageScope::MessageScope(bool dropTicks) : dropTicks_(dropTicks) {
    PlatformState& state = State();
    ++state.pumpDepth;
    if (dropTicks_) {
        ++state.tickDrops;
    }
}

MessageScope::~MessageScope() {
    if (!g_state) {
        return;  // the platform was shut down inside the scope
    }
    PlatformState& state = *g_state;
    --state.pumpDepth;
    if (dropTicks_) {
        --state.tickDrops;
    }
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
