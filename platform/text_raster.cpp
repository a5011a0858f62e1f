// Text drawing. Qt rasterises the glyphs, antialiased, into a coverage picture that is
// then laid onto the target in the text colour, so the target keeps its 0x00RRGGBB words
// whatever Qt does with alpha.
#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/drawing.h"
#include "platform/font_entry.h"
#include "platform/state.h"
#include "platform/windows1252.h"

namespace {

// Lays the part `area` of a coverage, whose top-left corner lies at `corner`, onto the
// target in one colour; only between each row's first and last inked pixel.
void Composite(Picture& target, const TextCoverage& coverage, QPoint corner, const QRect& area,
               std::uint32_t rgb) {
    const std::uint32_t channel[3] = {(rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF};
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const TextCoverage::Ink ink = coverage.ink[y - corner.y()];
        const int left = std::max(area.left(), corner.x() + ink.left);
        const int right = std::min(area.right() + 1, corner.x() + ink.right);
        const auto* from =
            reinterpret_cast<const QRgb*>(coverage.image.constScanLine(y - corner.y())) +
            (left - corner.x());
        std::uint32_t* to = target.Row(y) + left;
        for (int x = 0; x < right - left; ++x) {
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

std::vector<TextCoverage::Ink> InkOf(const QImage& coverage) {
    std::vector<TextCoverage::Ink> ink(static_cast<std::size_t>(coverage.height()));
    for (int y = 0; y < coverage.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
        int left = 0;
        int right = coverage.width();
        while (left < right && qAlpha(row[left]) == 0) {
            ++left;
        }
        while (right > left && qAlpha(row[right - 1]) == 0) {
            --right;
        }
        ink[static_cast<std::size_t>(y)] = {left, right};
    }
    return ink;
}

// A white coverage picture of `paint`'s drawing turned by `turn` around the pen, just
// large enough for the turned `local` rectangle; its corner is given from the pen.
template <typename Paint>
TextCoverage Rasterise(const QRect& local, const QTransform& turn, Paint paint) {
    TextCoverage coverage;
    const QRect whole = turn.mapRect(QRectF(local)).toAlignedRect();
    coverage.corner = whole.topLeft();
    coverage.image = QImage(whole.size(), QImage::Format_ARGB32_Premultiplied);
    coverage.image.fill(Qt::transparent);
    {
        QPainter painter(&coverage.image);
        painter.setTransform(turn * QTransform::fromTranslate(-whole.x(), -whole.y()));
        paint(painter);
    }
    coverage.ink = InkOf(coverage.image);
    return coverage;
}

// The text's coverage; the last one again for the same text in the same font.
const TextCoverage& TextCoverageOf(const QString& text, const FontEntry& font, const QRect& local,
                                   const QTransform& turn) {
    TextCoverage& last = State().drawing.lastText;
    if (last.image.isNull() || last.text != text || last.font != font) {
        const QFontMetrics metrics(font.font);
        last = Rasterise(local, turn, [&](QPainter& painter) {
            painter.setFont(font.font);
            painter.setPen(Qt::white);
            int x = 0;
            for (QChar character : text) {
                painter.drawText(QPoint(x, font.ascent), QString(character));
                x += metrics.horizontalAdvance(character);
            }
        });
        last.text = text;
        last.font = font;
    }
    return last;
}

// Lays a coverage onto the target with its corner placed from `at`; returns the area.
QRect Lay(Picture& target, QPoint at, const TextCoverage& coverage, std::uint32_t rgb) {
    const QPoint corner = at + coverage.corner;
    const QRect area = QRect(corner, coverage.image.size()) & target.Bounds();
    if (!area.isEmpty()) {
        Composite(target, coverage, corner, area, rgb);
    }
    return area;
}

// Draws text with its cell's top-left corner at `at`, turned counter-clockwise by the
// font's angle; opaque adds the white box behind it. Returns the touched area.
QRect PaintText(Picture& target, QPoint at, const QString& text, const FontEntry& font,
                std::uint32_t rgb, bool opaque) {
    const QFontMetrics metrics(font.font);
    const QRect cell(0, 0, TextWidth(metrics, text), font.height);
    const QRect ink = metrics.boundingRect(text).translated(0, font.ascent);
    const QRect local = (cell | ink).adjusted(-2, -2, 2, 2);
    QTransform turn;
    turn.rotate(-font.angle);  // Qt turns clockwise on a y-down target
    if (opaque) {
        Lay(target, at,
            Rasterise(local, turn, [&](QPainter& painter) { painter.fillRect(cell, Qt::white); }),
            0xFFFFFF);
    }
    return Lay(target, at, TextCoverageOf(text, font, local, turn), rgb);
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
