// The fonts the game opened, for drawing to select and write with.
#pragma once

#include "platform/font_entry.h"
#include "platform/platform.h"

FontEntry StockFont();                       // the font each drawing starts with
const FontEntry* FontByHandle(Handle font);  // null when there is no such font
