// Fonts by face name and text drawing. Qt rasterises the glyphs, antialiased, into a
// coverage picture that is then laid onto the target in the text colour, so the target
// keeps its 0x00RRGGBB words whatever Qt does with alpha.
#include <QFontMetrics>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/drawing.h"
#include "platform/state.h"
#include "platform/text.h"
#include "platform/windows1252.h"

namespace {

constexpr int NormalWeight = 400;
constexpr int BoldWeight = 700;
constexpr int StockCellHeight = 16;  // pixels, like the bold system font of Windows

// A face as the game asks for it: the family that stands in, and the Windows face's
// ascent and descent in ems where they differ from the stand-in's (0 keeps its own).
struct Face {
    QString family;
    double ascent = 0;
    double descent = 0;
};

// The game names Windows faces; these metric-compatible or look-alike faces stand in.
// Comic Neue rides higher in its cell than Comic Sans MS (ascent 0.9 em against 1.102):
// with its own cell the game's offsets would cut the tops off "PERDU" and the digits.
Face FaceOf(std::string_view face) {
    struct StandIn {
        const char* windows;
        const char* family;
        double ascent;
        double descent;
    };
    constexpr StandIn standIns[] = {
        {"Arial", "Liberation Sans", 0, 0},
        {"Times New Roman", "Liberation Serif", 0, 0},
        {"Comic Sans MS", "Comic Neue", 2257.0 / 2048, 597.0 / 2048},
        {"Courier New", "Liberation Mono", 0, 0},
    };
    const QString name = FromWindows1252(face).trimmed();
    for (const StandIn& standIn : standIns) {
        if (name.compare(QLatin1String(standIn.windows), Qt::CaseInsensitive) == 0) {
            return {QString::fromLatin1(standIn.family), standIn.ascent, standIn.descent};
        }
    }
    return {name};
}

QFont FontOfEmHeight(const QString& family, int pixels, int weight) {
    QFont font(family);
    font.setPixelSize(std::max(pixels, 1));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    font.setKerning(false);  // GDI's text output does not kern either
    // Chosen here, not by the desktop, which Qt lets drop all hinting on HiDPI screens:
    // the game's pictures stay the same at every scale.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

// The font with its cell: ascent and descent each rounded to whole pixels, as GDI does.
FontEntry EntryOf(const Face& face, const QFont& font, double angle, int number) {
    const QFontMetrics metrics(font);
    const double em = font.pixelSize();
    const int ascent =
        face.ascent > 0 ? static_cast<int>(std::nearbyint(face.ascent * em)) : metrics.ascent();
    const int descent =
        face.descent > 0 ? static_cast<int>(std::nearbyint(face.descent * em)) : metrics.descent();
    return {font, ascent, ascent + descent, angle, number};
}

// A font whose character cell (ascent + descent, internal leading included) is `cell`
// pixels high: the em height is scaled from the proportions of the face's cell.
QFont FontOfCellHeight(const Face& face, int cell, int weight) {
    constexpr int Reference = 1000;
    const double cellAtReference =
        EntryOf(face, FontOfEmHeight(face.family, Reference, weight), 0, -1).height;
    const double em = cellAtReference > 0 ? cell * Reference / cellAtReference : cell;
    return FontOfEmHeight(face.family, static_cast<int>(std::nearbyint(em)), weight);
}

Handle AddFont(FontEntry entry) {
    const Handle handle = NewHandle();
    State().fonts[handle] = std::move(entry);
    return handle;
}

void FreeNumberedFont(int number) {
    auto& fonts = State().fonts;
    std::erase_if(fonts, [number](const auto& item) { return item.second.number == number; });
}

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
            const std::uint32_t old[3] = {(to[x] >> 16) & 0xFF, (to[x] >> 8) & 0xFF, to[x] & 0xFF};
            std::uint32_t mixed[3];
            for (int c = 0; c < 3; ++c) {
                mixed[c] = (channel[c] * a + old[c] * (255 - a) + 127) / 255;
            }
            to[x] = (mixed[0] << 16) | (mixed[1] << 8) | mixed[2];
        }
    }
}

}  // namespace

// Like GDI, each character stands at a whole pixel: a text drawn in two pieces looks the
// same as drawn at once, and its width is the sum of its characters' widths.
int TextWidth(const QFontMetrics& metrics, const QString& text) {
    int width = 0;
    for (QChar character : text) {
        width += metrics.horizontalAdvance(character);
    }
    return width;
}

FontEntry StockFont() {
    const Face face{"Liberation Sans"};
    static const FontEntry stock =
        EntryOf(face, FontOfCellHeight(face, StockCellHeight, BoldWeight), 0, -1);
    return stock;
}

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

// The size is in points at 96 dots per inch, the character height without internal
// leading: that is the em height, which is Qt's pixel size.
Handle OpenFont(int number, std::string_view face, int size, int flags) {
    FreeNumberedFont(number);
    if (size <= 0) {
        return 0;
    }
    const int pixels = static_cast<int>(std::nearbyint(size * 96.0 / 72.0));
    const int weight = (flags & FontBold) != 0 ? BoldWeight : NormalWeight;
    const Face chosen = FaceOf(face);
    return AddFont(EntryOf(chosen, FontOfEmHeight(chosen.family, pixels, weight), 0, number));
}

void SelectFont(Handle font) {
    auto& fonts = State().fonts;
    auto found = fonts.find(font);
    if (OpenPicture() == nullptr || found == fonts.end()) {
        return;
    }
    State().drawing.font = found->second;
}

Handle OpenAngledFont(std::string_view face, int cellHeight, int escapement, int weight) {
    if (cellHeight == 0) {
        return 0;
    }
    const Face chosen = FaceOf(face);
    // As on Windows, a negative height gives the em height instead of the cell's.
    const QFont font = cellHeight > 0 ? FontOfCellHeight(chosen, cellHeight, weight)
                                      : FontOfEmHeight(chosen.family, -cellHeight, weight);
    return AddFont(EntryOf(chosen, font, escapement / 10.0, -1));
}

void FreeFont(Handle font) {
    State().fonts.erase(font);
}

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
