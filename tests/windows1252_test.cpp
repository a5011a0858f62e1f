#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/windows1252.h"

namespace {

struct Conversion {
    const char* utf8;
    const char* bytes;
};

void PrintTo(const Conversion& conversion, std::ostream* out) {
    for (const char* c = conversion.utf8; *c != 0; ++c) {
        *out << (*c == '\r' ? std::string("\\r") : std::string(1, *c));
    }
}

// Characters the set has: one byte each, and back again.
class Windows1252Test : public testing::TestWithParam<Conversion> {};

TEST_P(Windows1252Test, Utf8BecomesWindows1252Bytes) {
    EXPECT_EQ(Windows1252(GetParam().utf8), std::string(GetParam().bytes));
}

TEST_P(Windows1252Test, BytesComeBackAsTheSameCharacters) {
    EXPECT_EQ(FromWindows1252(GetParam().bytes).toStdString(), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    GameTexts, Windows1252Test,
    testing::Values(Conversion{"Quickstack", "Quickstack"},
                    Conversion{"Règle du jeu", "R\xE8gle du jeu"},
                    Conversion{"Bravo, tu es le N° 1", "Bravo, tu es le N\xB0 1"},
                    Conversion{"É", "\xC9"},
                    Conversion{"décalage à droite",
                               "d\xE9"
                               "calage \xE0 droite"},
                    Conversion{"façon", "fa\xE7on"}, Conversion{"€", "\x80"},
                    Conversion{"œuvre…", "\x9Cuvre\x85"}, Conversion{"Ÿ", "\x9F"},
                    Conversion{"ÿ", "\xFF"}, Conversion{"a\rb\r\r", "a\rb\r\r"}));

TEST(Windows1252, CharactersOutsideTheSetBecomeQuestionMarks) {
    EXPECT_EQ(Windows1252("日本"), "??");
    EXPECT_EQ(Windows1252("Zoë ☺"), "Zo\xEB ?");
    EXPECT_EQ(Windows1252("😀"), "?");
    EXPECT_EQ(Windows1252("\u0080"), "?") << "a control character, not the euro sign";
}

TEST(Windows1252, MalformedUtf8BecomesQuestionMarks) {
    EXPECT_EQ(Windows1252("a\xC3"), "a?");
    EXPECT_EQ(Windows1252("\xFF"
                          "b"),
              "?b");
    EXPECT_EQ(Windows1252("\xC0\xAF"), "??");  // an overlong '/'
}

TEST(Windows1252, TypedAccentsAreComposedFirst) {
    EXPECT_EQ(ToWindows1252(QString::fromUtf8("He\u0301le\u0300ne c\u0327a")),
              "H\xE9l\xE8ne \xE7\x61");
    EXPECT_EQ(ToWindows1252(QString::fromUtf8("Zoe\u0308 N\u0303")), "Zo\xEB \xD1");
    EXPECT_EQ(ToWindows1252(QString::fromUtf8("x\u0301")), "x?") << "no composed form in the set";
}

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
}

}  // namespace
