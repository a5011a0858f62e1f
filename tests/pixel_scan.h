// Scanning a rectangle of a picture, for every test that reads pixels back: how many
// pass a test, and where those that pass lie.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>

#include "platform/platform.h"

using PixelSource = std::function<std::uint32_t(int x, int y)>;
using PixelTest = std::function<bool(int x, int y, std::uint32_t pixel)>;

struct Area {
    int left, top, right, bottom;  // right and bottom exclusive
};

inline PixelSource PixelsOf(Target target) {
    return [target](int x, int y) { return PixelAt(target, x, y); };
}

inline int CountPixels(Area area, const PixelSource& pixels, const PixelTest& passes) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            count += passes(x, y, pixels(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// The smallest area that holds every pixel that passes; empty (right ≤ left) if none does.
inline Area BoundsOf(Area area, const PixelSource& pixels, const PixelTest& passes) {
    Area bounds{area.right, area.bottom, area.left, area.top};
    CountPixels(area, pixels, [&](int x, int y, std::uint32_t pixel) {
        if (passes(x, y, pixel)) {
            bounds = {std::min(bounds.left, x), std::min(bounds.top, y),
                      std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1)};
        }
        return false;
    });
    return bounds;
}
