// Relief outlines: one pixel wide, drawn with lines on whatever is open, filling nothing.
#include "view/view.h"

namespace {

constexpr std::int32_t White = PackColour(255, 255, 255);
constexpr std::int32_t Black = PackColour(0, 0, 0);
constexpr int StudSize = 3;      // a stud covers 4 × 4 pixels
constexpr int StudInset = 4;     // pixels from the frame's outline to the stud
constexpr int StudFarInset = 7;  // the same, measured from the far side

// Top row and left column in the first colour, bottom row and right column in the second.
void Outline(int x, int y, int w, int h, std::int32_t topLeft, std::int32_t bottomRight) {
    DrawLine(x, y, w, 0, topLeft);
    DrawLine(x, y, 0, h);
    DrawLine(x, y + h, w, 0, bottomRight);
    DrawLine(x + w, y, 0, h + 1);
}

}  // namespace

void RaisedBevel(int x, int y, int w, int h) {
    Outline(x, y, w, h, White, Black);
}

void SunkenBevel(int x, int y, int w, int h) {
    Outline(x, y, w, h, Black, White);
}

void RivetedFrame(int x, int y, int w, int h) {
    RaisedBevel(x, y, w, h);
    RaisedBevel(x + StudInset, y + StudInset, StudSize, StudSize);
    RaisedBevel(x + StudInset, y + h - StudFarInset, StudSize, StudSize);
    RaisedBevel(x + w - StudFarInset, y + StudInset, StudSize, StudSize);
    RaisedBevel(x + w - StudFarInset, y + h - StudFarInset, StudSize, StudSize);
}
