// A font as drawing keeps it: the Qt font and the character cell the game's text offsets
// assume, which for a stand-in face is the cell of the Windows face it replaces.
#pragma once

#include <QFont>

struct FontEntry {
    QFont font;
    int ascent = 0;    // pixels from the cell's top down to the baseline
    int height = 0;    // pixels of the whole cell, ascent and descent
    double angle = 0;  // degrees, counter-clockwise
    int number = -1;   // -1 for a font made without a number (angled fonts)

    bool operator==(const FontEntry&) const = default;
};
