// The squares of the well: one 30 × 30 sprite per piece kind, numbered by the kind.
#include <algorithm>
#include <array>

#include "view/view.h"

namespace {

constexpr int BlockSize = 30;  // pixels
constexpr double LightFactor = 1.5;
constexpr double DarkFactor = 0.4;

struct Colour {
    int red, green, blue;
};

constexpr std::array<Colour, 7> KindColours{{
    {0, 160, 0},    // 1 green
    {160, 0, 0},    // 2 red
    {0, 100, 160},  // 3 blue
    {128, 64, 0},   // 4 brown
    {160, 160, 0},  // 5 olive
    {128, 0, 160},  // 6 purple
    {64, 64, 64},   // 7 grey
}};

// Kept within 255 so that a bright base colour cannot carry into the next component.
int Scaled(int component, double factor) {
    return std::min(RoundToNearest(component * factor), 255);
}

std::int32_t ScaledColour(int red, int green, int blue, double factor) {
    return PackColour(Scaled(red, factor), Scaled(green, factor), Scaled(blue, factor));
}

}  // namespace

// A face in the base colour, a light edge on the top and left, a dark one on the bottom
// and right, and the bottom-right corner left black.
void MakeBlockSprite(int number, int red, int green, int blue) {
    constexpr int Edge = BlockSize - 1;
    NewSprite(number, BlockSize, BlockSize);
    BeginDrawing(SpriteTarget(number));
    DrawBox(1, 1, BlockSize - 2, BlockSize - 2, PackColour(red, green, blue));
    DrawLine(0, 0, Edge, 0, ScaledColour(red, green, blue, LightFactor));
    DrawLine(0, 0, 0, Edge);
    DrawLine(0, Edge, Edge, 0, ScaledColour(red, green, blue, DarkFactor));
    DrawLine(Edge, 0, 0, Edge);
    EndDrawing();
}

void MakeBlockSprites() {
    for (int kind = 1; kind <= static_cast<int>(KindColours.size()); ++kind) {
        const Colour& colour = KindColours[kind - 1];
        MakeBlockSprite(kind, colour.red, colour.green, colour.blue);
    }
}
