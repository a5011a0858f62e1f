// The fonts the game opened, for drawing to select and write with.
#pragma once

#include "platform/font_entry.h"
#include "platform/platform.h"

FontEntry StockFont();                       // the font each drawing starts with
const FontEntry* FontByHandle(Handle font);  // null when there is no such font
// Reads the system's font configuration and caches, which the first text would otherwise
// wait for: meant for a thread of its own while the display is reached.
void WarmFonts();
