// The play area: a back buffer in plain memory, composed from sprites and copied into the
// window's surface, which is put on screen before the present returns.
#include <thread>

#include "platform/display.h"
#include "platform/repaint.h"
#include "platform/state.h"
#include "platform/targets.h"

namespace {

// Presents are at least this far apart: at most about 60 per second.
constexpr std::chrono::nanoseconds PresentInterval(1'000'000'000 / 61 + 1);

void LaySprite(int number, int x, int y, Picture::Lay lay) {
    PlatformState& state = State();
    auto sprite = state.sprites.find(number);
    if (!state.playArea || sprite == state.sprites.end()) {
        return;
    }
    state.playArea->back.Blit(sprite->second, x, y, lay);
}

}  // namespace

// The 2-D layer is plain memory; what can fail is reaching the display at all.
bool InitPlayAreaSystem() {
    if (!DisplayAvailable()) {
        return false;
    }
    State();
    return true;
}

bool OpenPlayArea(Handle window, int x, int y, int width, int height) {
    PlatformState& state = State();
    if (!IsMainWindow(window) || !PictureSizeAllowed(width, height)) {
        return false;
    }
    state.playArea = PlayArea{{x, y}, Picture(width, height), {}};
    return true;
}

bool NewSprite(int number, int width, int height) {
    PlatformState& state = State();
    state.sprites.erase(number);
    if (!state.playArea || !PictureSizeAllowed(width, height)) {
        return false;
    }
    state.sprites[number] = Picture(width, height);
    return true;
}

Target SpriteTarget(int number) {
    return {Target::Kind::Sprite, number};
}

void ShowSprite(int number, int x, int y) {
    LaySprite(number, x, y, Picture::Lay::Copy);
}

void ShowSpriteKeyed(int number, int x, int y) {
    LaySprite(number, x, y, Picture::Lay::Keyed);
}

void PresentPlayArea() {
    PlatformState& state = State();
    if (!state.playArea || !state.window) {
        return;
    }
    PlayArea& area = *state.playArea;
    std::this_thread::sleep_until(area.lastPresent + PresentInterval);
    area.lastPresent = std::chrono::steady_clock::now();
    state.surface.Blit(area.back, area.origin.x(), area.origin.y());
    ShowSurface(QRect(area.origin, QSize(area.back.width, area.back.height)));
}
