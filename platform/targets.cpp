#include "platform/targets.h"

#include "platform/state.h"

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

bool IsMainWindow(Handle window) {
    const PlatformState& state = State();
    return state.window && window != 0 && window == state.windowHandle;
}
