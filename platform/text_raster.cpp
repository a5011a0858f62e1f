// Text drawing. Qt rasterises the glyphs, antialiased, into a coverage picture that is
// then laid onto the target in the text colour, so the target keeps its 0x00RRGGBB words
// whatever Qt does with alpha.
#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <cmath>
#include <numbers>

#include "platform/drawing.h"
#include "platform/font_entry.h"
#include "platform/state.h"
#include "platform/windows1252.h"

namespace {

// Lays a coverage picture (white on transparent) onto the target in one colour.
void Composite(Picture& target, const QImage& coverage, QPoint at, std::uint32_t rgb) {
    const std::uint32_t channel[3] = {(rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF};
    // Asked once: QImage's accessors are calls into Qt, too dear for every pixel.
    const int width = coverage.width();
    const int height = coverage.height();
    for (int y = 0; y < height; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
        std::uint32_t* to = target.Row(at.y() + y) + at.x();
        for (int x = 0; x < width; ++x) {
            const std::uint32_t a = static_cast<std::uint32_t>(qAlpha(from[x]));
            if (a == 0) {
                continue;
            }
            if (a == 255) {
                to[x] = rgb & 0xFFFFFF;  // what the mix below gives: the insides of letters
                continue;
            }
            const std::uint32_t old[3] = {(to[x] >> 16) & 0xFF, (to[x] >> 8) & 0xFF, to[x] & 0xFF};
            std::uint32_t mixed[3];
            for (int c = 0; c < 3; ++c) {
                mixed[c] = (channel[c] * a + old[c] * (255 - a) + 127) / 255;
            }
            to[x] = (mixed[0] << 16) | (mixed[1] << 8) | mixed[2];
        }
    }
}

// Like GDI, each character stands at a whole pixel: a text drawn in two pieces looks the
// same as drawn at once, and its width is the sum of its characters' widths.
int TextWidth(const QFontMetrics& metrics, const QString& text) {
    int width = 0;
    for (QChar character : text) {
        width += metrics.horizontalAdvance(character);
    }
    return width;
}

// Draws text with its cell's top-left corner at `at`, turned counter-clockwise by the
// font's angle; opaque adds the white box behind it. Returns the touched area.
QRect PaintText(Picture& target, QPoint at, const QString& text, const FontEntry& font,
                std::uint32_t rgb, bool opaque) {
    const QFontMetrics metrics(font.font);
    const int ascent = font.ascent;
    const QRect cell(0, 0, TextWidth(metrics, text), font.height);
    const QRect ink = metrics.boundingRect(text).translated(0, ascent);
    const QRect local = (cell | ink).adjusted(-2, -2, 2, 2);

    QTransform place;
    place.translate(at.x(), at.y());
    place.rotate(-font.angle);  // Qt turns clockwise on a y-down target
    const QRect area = place.mapRect(QRectF(local)).toAlignedRect() & target.Bounds();
    if (area.isEmpty()) {
        return {};
    }
    const QTransform toCoverage = place * QTransform::fromTranslate(-area.x(), -area.y());
    QImage coverage(area.size(), QImage::Format_ARGB32_Premultiplied);
    if (opaque) {
        coverage.fill(Qt::transparent);
        QPainter painter(&coverage);
        painter.setTransform(toCoverage);
        painter.fillRect(cell, Qt::white);
        painter.end();
        Composite(target, coverage, area.topLeft(), 0xFFFFFF);
    }
    coverage.fill(Qt::transparent);
    QPainter painter(&coverage);
    painter.setTransform(toCoverage);
    painter.setFont(font.font);
    painter.setPen(Qt::white);
    int x = 0;
    for (QChar character : text) {
        painter.drawText(QPoint(x, ascent), QString(character));
        x += metrics.horizontalAdvance(character);
    }
    painter.end();
    Composite(target, coverage, area.topLeft(), rgb);
    return area;
}

}  // namespace

void DrawString(std::string_view text) {
    Picture* picture = OpenPicture();
    if (picture == nullptr || text.empty()) {
        return;
    }
    DrawingState& drawing = State().drawing;
    const QString unicode = FromWindows1252(text);
    MarkDirty(PaintText(*picture, drawing.pen, unicode, drawing.font, drawing.textRgb,
                        drawing.mode == 0));
    const double advance = TextWidth(QFontMetrics(drawing.font.font), unicode);
    const double radians = drawing.font.angle * std::numbers::pi / 180.0;
    drawing.pen += QPoint(static_cast<int>(std::lround(advance * std::cos(radians))),
                          -static_cast<int>(std::lround(advance * std::sin(radians))));
}

int MeasureText(std::string_view text) {
    if (OpenPicture() == nullptr || text.empty()) {
        return 0;
    }
    return TextWidth(QFontMetrics(State().drawing.font.font), FromWindows1252(text));
}
