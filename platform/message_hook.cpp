// The game's hook sees every window message first; the scopes say when it may run.
#include "platform/message_hook.h"

#include "platform/state.h"

void SetMessageHook(MessageHook hook) {
    State().hook = std::move(hook);
}

std::uint32_t CallHook(std::uint32_t message, std::intptr_t first, std::intptr_t second) {
    PlatformState& state = State();
    if (!state.hook) {
        return HookDefault;
    }
    const MessageHook hook = state.hook;  // the hook may replace itself
    return hook(state.windowHandle, message, first, second);
}

MessageScope::MessageScope(bool dropTicks) : dropTicks_(dropTicks) {
    PlatformState& state = State();
    ++state.pumpDepth;
    if (dropTicks_) {
        ++state.tickDrops;
    }
}

MessageScope::~MessageScope() {
    PlatformState* state = ExistingState();
    if (state == nullptr) {
        return;  // the platform was shut down inside the scope
    }
    --state->pumpDepth;
    if (dropTicks_) {
        --state->tickDrops;
    }
}
