// Fonts and text as drawing needs them.
#pragma once

#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QString>

#include "platform/font_entry.h"
#include "platform/picture.h"

FontEntry StockFont();
int TextWidth(const QFontMetrics& metrics, const QString& text);
// Draws text with its cell's top-left corner at `at`, turned counter-clockwise by the
// font's angle; opaque adds the white box behind it. Returns the touched area.
QRect PaintText(Picture& target, QPoint at, const QString& text, const FontEntry& font,
                std::uint32_t rgb, bool opaque);
