// The game's texts are Windows-1252 bytes; Qt and the source files speak Unicode.
#include <QList>
#include <array>

#include "platform/platform.h"
#include "platform/windows1252.h"

namespace {

// The characters of bytes 0x80 to 0x9F. The five bytes the set leaves undefined stand for
// the control characters of the same number, as on Windows.
constexpr std::array<char32_t, 32> HighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CharacterOfByte(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? HighBlock[byte - 0x80] : char32_t{byte};
}

char ByteOfCharacter(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<char>(character);
    }
    for (std::size_t i = 0; i < HighBlock.size(); ++i) {
        if (HighBlock[i] == character) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// One UTF-8 sequence starting at text[i]; advances i. A malformed byte is U+FFFD.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    int length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 1, value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 2, value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 3, value = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    const std::size_t start = i;
    for (int k = 0; k < length; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            i = start;
            return 0xFFFD;
        }
        value = (value << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    const bool overlong = (length == 2 && value < 0x800) || (length == 3 && value < 0x10000);
    if (overlong || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        i = start;
        return 0xFFFD;
    }
    return value;
}

}  // namespace

std::string Windows1252(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        bytes += ByteOfCharacter(DecodeUtf8(utf8, i));
    }
    return bytes;
}

// Composed first: a letter typed as a base and a combining accent (as some input methods
// and pasted text give it) is one character of the set, "e" and U+0301 the byte 0xE9.
std::string ToWindows1252(const QString& text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char32_t character : text.normalized(QString::NormalizationForm_C).toUcs4()) {
        bytes += ByteOfCharacter(character);
    }
    return bytes;
}

QString FromWindows1252(std::string_view text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (char byte : text) {
        result += QChar(static_cast<char16_t>(CharacterOfByte(static_cast<unsigned char>(byte))));
    }
    return result;
}
