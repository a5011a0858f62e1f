#include "platform/targets.h"

#include "platform/state.h"

namespace {

NumberedImage* ImageEntry(Handle image) {
    if (image == 0) {
        return nullptr;
    }
    for (auto& [number, entry] : State().images) {
        if (entry.handle == image) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

Picture* TargetPicture(Target target) {
    PlatformState& state = State();
    switch (target.kind) {
        case Target::Kind::Image: {
            auto found = state.images.find(target.number);
            if (found == state.images.end()) {
                return nullptr;
            }
            std::shared_ptr<Picture>& picture = found->second.picture;
            if (picture.use_count() > 1) {
                picture = std::make_shared<Picture>(*picture);
            }
            return picture.get();
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

const Picture* ReadPicture(Target target) {
    if (target.kind == Target::Kind::Image) {
        const auto& images = State().images;
        const auto found = images.find(target.number);
        return found == images.end() ? nullptr : found->second.picture.get();
    }
    return TargetPicture(target);
}

const Picture* ImageByHandle(Handle image) {
    const NumberedImage* entry = ImageEntry(image);
    return entry ? entry->picture.get() : nullptr;
}

std::shared_ptr<const Picture> SharedImage(Handle image) {
    const NumberedImage* entry = ImageEntry(image);
    return entry ? entry->picture : nullptr;
}

bool IsMainWindow(Handle window) {
    const PlatformState& state = State();
    return state.window && window != 0 && window == state.windowHandle;
}
