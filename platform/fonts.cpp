// Fonts by face name: the faces that stand in for the game's Windows faces, and the
// character cells its text offsets assume.
#include "platform/fonts.h"

#include <fontconfig/fontconfig.h>

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "platform/state.h"
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

}  // namespace

FontEntry StockFont() {
    const Face face{"Liberation Sans"};
    static const FontEntry stock =
        EntryOf(face, FontOfCellHeight(face, StockCellHeight, BoldWeight), 0, -1);
    return stock;
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

const FontEntry* FontByHandle(Handle font) {
    const auto& fonts = State().fonts;
    const auto found = fonts.find(font);
    return found == fonts.end() ? nullptr : &found->second;
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

// Qt's font database reads the configuration through fontconfig when the first font is
// opened, and takes what is already there.
void WarmFonts() {
    FcInit();
}
