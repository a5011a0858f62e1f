#include <QFontInfo>
#include <QFontMetrics>
#include <ostream>
#include <string>

#include "platform/fonts.h"
#include "tests/pixel_scan.h"
#include "tests/platform_test_support.h"

namespace {

const QFont& FontOf(Handle font) {
    return State().fonts.at(font).font;
}

// The bounding box of every pixel that is not the background.
QRect Ink(Target target, QRect area, std::uint32_t background = 0) {
    const Area ink =
        BoundsOf({area.left(), area.top(), area.right() + 1, area.bottom() + 1}, PixelsOf(target),
                 [background](int, int, std::uint32_t pixel) { return pixel != background; });
    return ink.right > ink.left
               ? QRect(ink.left, ink.top, ink.right - ink.left, ink.bottom - ink.top)
               : QRect();
}

class TextTest : public PlatformTest {
  protected:
    void SetUp() override {
        NewImage(1, 400, 300);
        BeginDrawing(ImageTarget(1));
        SetDrawMode(1);
        SetColour(255, 255, 255);
    }
    QRect InkOfImage() { return Ink(ImageTarget(1), QRect(0, 0, 400, 300)); }
};

struct PointSize {
    int points;
    int pixels;
};

void PrintTo(const PointSize& size, std::ostream* out) {
    *out << size.points << "pt";
}

class FontSizeTest : public testing::TestWithParam<PointSize> {
  protected:
    void TearDown() override { ShutdownPlatform(); }
};

// Sizes are points at 96 dots per inch, measured without the internal leading: the em.
TEST_P(FontSizeTest, PointsBecomeTheEmHeightInPixels) {
    const Handle font = OpenFont(0, "Times New Roman", GetParam().points, FontBold);
    ASSERT_NE(font, 0);
    EXPECT_EQ(FontOf(font).pixelSize(), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(GameSizes, FontSizeTest,
                         testing::Values(PointSize{12, 16}, PointSize{18, 24}, PointSize{20, 27},
                                         PointSize{24, 32}, PointSize{64, 85},
                                         PointSize{200, 267}));

TEST_F(TextTest, WindowsFacesHaveTheirStandIns) {
    EXPECT_EQ(QFontInfo(FontOf(OpenFont(1, "Arial", 12))).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(FontOf(OpenFont(2, "Times New Roman", 12))).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(FontOf(OpenFont(3, "Comic Sans MS", 12))).family(), "Comic Neue");
}

TEST_F(TextTest, Flag256MakesTheFontBold) {
    EXPECT_EQ(FontOf(OpenFont(1, "Arial", 12, FontBold)).weight(), QFont::Bold);
    EXPECT_EQ(FontOf(OpenFont(2, "Arial", 12)).weight(), QFont::Normal);
}

TEST_F(TextTest, TheStockFontIsABoldSansAbout16PixelsHigh) {
    const FontEntry stock = StockFont();
    EXPECT_EQ(stock.font.weight(), QFont::Bold);
    EXPECT_NEAR(stock.height, 16, 1);
    // The longest menu caption fits its 140-pixel face after the 10-pixel margin.
    EXPECT_LE(MeasureText("Efface classement"), 130);
}

TEST_F(TextTest, TheTextHangsFromItsCellTop) {
    const Handle font = OpenFont(0, "Arial", 24, FontBold);
    SelectFont(font);
    MovePen(50, 100);
    DrawString(Windows1252("É"));
    EndDrawing();
    const QRect ink = InkOfImage();
    const QFontMetrics metrics(FontOf(font));
    EXPECT_GE(ink.top(), 100);
    EXPECT_LE(ink.top(), 100 + metrics.ascent() / 4) << "the accent nears the cell's top";
    EXPECT_LE(ink.bottom(), 100 + metrics.ascent());
    EXPECT_GE(ink.left(), 49);
}

struct CellCase {
    const char* face;
    int points;
    int ascent;  // pixels: the Windows face's, for a face that stands in with another cell
    int height;
};

void PrintTo(const CellCase& value, std::ostream* out) {
    *out << value.face << " " << value.points << "pt";
}

class CellTest : public TextTest, public testing::WithParamInterface<CellCase> {};

// The baseline hangs the Windows face's ascent below the pen, so "H" ends on the row above
// it, or on it where round strokes dip a little below.
TEST_P(CellTest, TheBaselineLiesTheWindowsAscentBelowThePen) {
    const Handle font = OpenFont(0, GetParam().face, GetParam().points, FontBold);
    EXPECT_EQ(State().fonts.at(font).ascent, GetParam().ascent);
    EXPECT_EQ(State().fonts.at(font).height, GetParam().height);
    SelectFont(font);
    MovePen(10, 5);
    DrawString("H");
    EndDrawing();
    const int baseline = 5 + GetParam().ascent;
    EXPECT_GE(InkOfImage().bottom(), baseline - 1);
    EXPECT_LE(InkOfImage().bottom(), baseline);
}

// Comic Sans MS: ascent 2257 and descent 597 in 2048 units; Arial stands in unchanged.
INSTANTIATE_TEST_SUITE_P(Faces, CellTest,
                         testing::Values(CellCase{"Comic Sans MS", 12, 18, 23},
                                         CellCase{"Comic Sans MS", 18, 26, 33},
                                         CellCase{"Comic Sans MS", 64, 94, 119},
                                         CellCase{"Comic Sans MS", 200, 294, 372},
                                         CellCase{"Arial", 24, 29, 36}));

TEST_F(TextTest, TheWindowsCellLeavesTheWidthsAlone) {
    const Handle font = OpenFont(0, "Comic Sans MS", 64, FontBold);
    SelectFont(font);
    const QFontMetrics metrics(FontOf(font));
    int sum = 0;
    for (const char letter : std::string("PERDU")) {
        sum += metrics.horizontalAdvance(QChar(letter));
    }
    EXPECT_EQ(MeasureText("PERDU"), sum);
    MovePen(0, 0);
    DrawString("PERDU");
    DrawString("X");
    EndDrawing();
    EXPECT_GE(InkOfImage().right(), sum) << "the pen moved on by the advance widths";
}

// Drawn where the lost game's sprite draws it, "PERDU" keeps its top inside the 80 rows.
TEST_F(TextTest, TheLostTextFitsItsSprite) {
    SelectFont(OpenFont(0, "Comic Sans MS", 64, FontBold));
    MovePen(0, 100 - 25);
    DrawString("PERDU");
    EndDrawing();
    const QRect ink = InkOfImage();
    EXPECT_GT(ink.top(), 100);
    EXPECT_LT(ink.bottom(), 100 + 80);
}

TEST_F(TextTest, ThePenMovesToTheEndOfTheText) {
    SelectFont(OpenFont(0, "Comic Sans MS", 12));
    MovePen(10, 10);
    DrawString("Chrono");
    DrawString(" 00:00:00");
    MovePen(10, 50);
    DrawString("Chrono 00:00:00");
    EndDrawing();
    const PixelSource image = PixelsOf(ImageTarget(1));
    EXPECT_EQ(
        CountPixels({0, 10, 400, 50}, image,
                    [&](int x, int y, std::uint32_t pixel) { return pixel != image(x, y + 40); }),
        0);
}

TEST_F(TextTest, AnEmptyTextDrawsAndMeasuresNothing) {
    EXPECT_EQ(MeasureText(""), 0);
    SetDrawMode(0);
    DrawString("");
    EndDrawing();
    EXPECT_TRUE(InkOfImage().isNull());
}

TEST_F(TextTest, TheWidthGrowsWithTheText) {
    SelectFont(OpenFont(0, "Arial", 12, FontBold));
    const int one = MeasureText("1");
    EXPECT_GT(one, 0);
    EXPECT_GT(MeasureText("1250"), MeasureText("70"));
    EXPECT_EQ(MeasureText("11"), 2 * one);
}

TEST_F(TextTest, DrawMode0PutsTheTextOnAWhiteBox) {
    SetDrawMode(0);
    SetColour(0, 0, 0);
    MovePen(20, 30);
    DrawString("ab");
    const int width = MeasureText("ab");
    EndDrawing();
    EXPECT_EQ(PixelAt(ImageTarget(1), 20, 30), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(ImageTarget(1), 20 + width - 1, 30), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(ImageTarget(1), 20 + width, 30), 0u);
    EXPECT_EQ(PixelAt(ImageTarget(1), 19, 30), 0u);
}

TEST_F(TextTest, DrawMode1ChangesOnlyTheGlyphs) {
    MovePen(20, 30);
    DrawString("ab");
    EndDrawing();
    EXPECT_EQ(PixelAt(ImageTarget(1), 20, 30), 0u);
    EXPECT_FALSE(InkOfImage().isNull());
}

TEST_F(TextTest, AccentsAndTheDegreeSignAreShown) {
    SelectFont(OpenFont(0, "Arial", 24, FontBold));
    for (const char* text : {"é", "°", "É", "€", "ç"}) {
        MovePen(0, 0);
        DrawBox(0, 0, 400, 300, 0);
        SetColour(255, 255, 255);
        DrawString(Windows1252(text));
        ASSERT_FALSE(InkOfImage().isNull()) << text;
    }
    DrawBox(0, 0, 400, 300, 0);
    SetColour(255, 255, 255);
    MovePen(0, 0);
    DrawString("e");
    MovePen(100, 0);
    DrawString(Windows1252("é"));
    EndDrawing();
    EXPECT_LT(Ink(ImageTarget(1), QRect(100, 0, 100, 100)).top(),
              Ink(ImageTarget(1), QRect(0, 0, 100, 100)).top())
        << "the accent stands above the letter";
}

TEST_F(TextTest, ReopeningANumberLeavesOnlyTheNewHandleValid) {
    const int stockWidth = MeasureText("CLASSEMENT");
    const Handle first = OpenFont(0, "Comic Sans MS", 12);
    const Handle second = OpenFont(0, "Comic Sans MS", 64, FontBold);
    SelectFont(first);
    EXPECT_EQ(MeasureText("CLASSEMENT"), stockWidth);
    SelectFont(0);
    EXPECT_EQ(MeasureText("CLASSEMENT"), stockWidth);
    SelectFont(second);
    EXPECT_GT(MeasureText("CLASSEMENT"), 3 * stockWidth);
}

TEST_F(TextTest, ReopeningTheCurrentFontKeepsItsLookUntilTheNewOneIsSelected) {
    SelectFont(OpenFont(0, "Comic Sans MS", 12));
    const int small = MeasureText("PERDU");
    const Handle large = OpenFont(0, "Comic Sans MS", 64, FontBold);
    EXPECT_EQ(MeasureText("PERDU"), small);
    SelectFont(large);
    EXPECT_GT(MeasureText("PERDU"), small);
}

TEST_F(TextTest, AnAngledFontHasItsCellHeightAndRisesToTheRight) {
    const Handle font = OpenAngledFont("Arial", 24, 300, 700);
    ASSERT_NE(font, 0);
    EXPECT_NEAR(QFontMetrics(FontOf(font)).height(), 24, 1);
    EXPECT_EQ(FontOf(font).weight(), QFont::Bold);
    SelectFont(font);
    MovePen(0, 250);
    DrawString("QUICKSTACK  QUICKSTACK  QUICK");
    EndDrawing();
    FreeFont(font);
    const QRect left = Ink(ImageTarget(1), QRect(0, 0, 40, 300));
    const QRect right = Ink(ImageTarget(1), QRect(300, 0, 40, 300));
    ASSERT_FALSE(left.isNull());
    ASSERT_FALSE(right.isNull());
    // 300 pixels along at 30° rise by about 173.
    EXPECT_NEAR(left.center().y() - right.center().y(), 173, 20);
    EXPECT_TRUE(State().fonts.find(font) == State().fonts.end());
}

TEST_F(TextTest, TextOnASpriteIsInItsMemory) {
    EndDrawing();
    InitPlayAreaSystem();
    const Handle window = OpenMainWindow(0, 0, 0, 800, 600, WindowBorderless, "Quickstack");
    OpenPlayArea(window, 200, 55, 320, 535);
    ASSERT_TRUE(NewSprite(18, 280, 80));
    BeginDrawing(SpriteTarget(18));
    SelectFont(OpenFont(0, "Comic Sans MS", 64, FontBold));
    SetColour(255, 255, 255);
    SetDrawMode(1);
    MovePen(0, -25);
    DrawString("PERDU");
    const std::uint32_t* words = PixelBuffer();
    ASSERT_NE(words, nullptr);
    int text = 0;
    for (int i = 0; i < 280 * 80; ++i) {
        ASSERT_EQ(words[i] >> 24, 0u) << "the top byte stays 0";
        text += static_cast<std::int32_t>(words[i]) > 0x202020 ? 1 : 0;
    }
    EXPECT_GT(text, 1000);
    EXPECT_EQ(words[0], 0u);
    EndDrawing();
}

TEST_F(TextTest, ButtonCaptionsUseTheStockFont) {
    // Drawn in the font drawing starts with, as the menu faces are.
    DrawString("Nouvelle partie");
    EndDrawing();
    const QRect ink = InkOfImage();
    EXPECT_NEAR(ink.height(), 14, 3);  // "N" to "p": cap height and descender
}

}  // namespace
