#include <QImage>
#include <QTemporaryDir>

#include "tests/pixel_scan.h"
#include "tests/platform_test_support.h"

namespace {

constexpr std::int32_t Red = PackColour(255, 0, 0);
constexpr std::int32_t Green = PackColour(0, 255, 0);
constexpr std::int32_t White = PackColour(255, 255, 255);

class DrawingTest : public PlatformTest {
  protected:
    void SetUp() override { NewImage(1, 40, 40); }
    std::uint32_t At(int x, int y) const { return PixelAt(ImageTarget(1), x, y); }
};

TEST_F(DrawingTest, PackedColoursArePlainSums) {
    EXPECT_EQ(PackColour(300, 0, 0), 0x12C);
    EXPECT_EQ(PackColour(255, 255, 255), 0xFFFFFF);
    EXPECT_EQ(PackColour(1, 2, 3), 0x030201);
}

TEST_F(DrawingTest, ACarriedColourDrawsAsItsLowBytes) {
    BeginDrawing(ImageTarget(1));
    DrawBox(0, 0, 1, 1, PackColour(300, 0, 0));
    PutPixel(1, 0, static_cast<std::int32_t>(0xFF0000FFu));  // the top byte is ignored
    EndDrawing();
    EXPECT_EQ(At(0, 0), 0x2C0100u);  // red 44, green 1, blue 0
    EXPECT_EQ(At(1, 0), 0xFF0000u);
}

// Pixels of image 1's top-left 40 × 40 that are not black.
int Unblack() {
    return CountPixels({0, 0, 40, 40}, PixelsOf(ImageTarget(1)),
                       [](int, int, std::uint32_t pixel) { return pixel != 0; });
}

TEST_F(DrawingTest, ANewImageIsBlack) {
    EXPECT_EQ(Unblack(), 0);
    EXPECT_NE(ImageHandle(1), 0);
    EXPECT_EQ(ImageHandle(2), 0);
}

TEST_F(DrawingTest, ALineDrawsItsStartAndNotItsEnd) {
    BeginDrawing(ImageTarget(1));
    DrawLine(0, 0, 29, 0, Red);
    DrawLine(0, 5, 0, 10, Green);
    DrawLine(5, 20, 0, 0, White);
    EndDrawing();
    EXPECT_EQ(At(0, 0), 0xFF0000u);
    EXPECT_EQ(At(28, 0), 0xFF0000u);
    EXPECT_EQ(At(29, 0), 0u);
    EXPECT_EQ(At(0, 5), 0x00FF00u);
    EXPECT_EQ(At(0, 14), 0x00FF00u);
    EXPECT_EQ(At(0, 15), 0u);
    EXPECT_EQ(At(5, 20), 0u);
}

TEST_F(DrawingTest, ALineWithoutColourUsesTheFrontColourAndMovesThePen) {
    BeginDrawing(ImageTarget(1));
    SetColour(0, 0, 255);
    DrawLine(3, 3, 4, 0);
    DrawLine(3, 4, -2, 0);  // leftwards: 3 and 2
    EndDrawing();
    EXPECT_EQ(At(3, 3), 0x0000FFu);
    EXPECT_EQ(At(6, 3), 0x0000FFu);
    EXPECT_EQ(At(7, 3), 0u);
    EXPECT_EQ(At(3, 4), 0x0000FFu);
    EXPECT_EQ(At(2, 4), 0x0000FFu);
    EXPECT_EQ(At(1, 4), 0u);
}

TEST_F(DrawingTest, BoxesFillExactlyTheirRectangle) {
    NewImage(2, 320, 535);
    BeginDrawing(ImageTarget(2));
    DrawBox(0, 0, 320, 535, Green);
    DrawBox(10, 10, 1, 1, Red);
    EndDrawing();
    EXPECT_EQ(PixelAt(ImageTarget(2), 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(ImageTarget(2), 319, 534), 0x00FF00u);
    EXPECT_EQ(PixelAt(ImageTarget(2), 10, 10), 0xFF0000u);
    EXPECT_EQ(PixelAt(ImageTarget(2), 11, 10), 0x00FF00u);
    EXPECT_EQ(PixelAt(ImageTarget(2), 10, 11), 0x00FF00u);
}

// A glyph's solid middle has the text colour exactly; "I" in a large font has one.
std::uint32_t TextColourAfter(const std::function<void()>& before) {
    NewImage(3, 60, 60);
    BeginDrawing(ImageTarget(3));
    SelectFont(OpenFont(0, "Arial", 36, FontBold));
    before();
    SetDrawMode(1);
    MovePen(10, 0);
    DrawString("I");
    const int middle = 10 + MeasureText("I") / 2;
    EndDrawing();
    return PixelAt(ImageTarget(3), middle, 25);
}

TEST_F(DrawingTest, ColouredLinesAndBoxesSetTheTextColour) {
    EXPECT_EQ(TextColourAfter([] { DrawLine(0, 59, 1, 0, Red); }), 0xFF0000u);
    EXPECT_EQ(TextColourAfter([] { DrawBox(0, 59, 1, 1, Green); }), 0x00FF00u);
}

TEST_F(DrawingTest, APixelLeavesTheTextColour) {
    EXPECT_EQ(TextColourAfter([] {
                  SetColour(0, 0, 255);
                  PutPixel(0, 59, Red);
              }),
              0x0000FFu);
}

TEST_F(DrawingTest, TheTextColourLastsUntilTheNextColour) {
    EXPECT_EQ(TextColourAfter([] {
                  SetColour(0, 0, 255);
                  SetTextColour(Green);
              }),
              0x00FF00u);
    EXPECT_EQ(TextColourAfter([] {
                  SetTextColour(Green);
                  SetColour(0, 0, 255);
              }),
              0x0000FFu);
}

TEST_F(DrawingTest, EachOpeningStartsFromTheInitialState) {
    BeginDrawing(ImageTarget(1));
    const int stockWidth = MeasureText("Efface classement");
    DrawBox(0, 0, 40, 40, White);
    SetColour(255, 0, 0);
    MovePen(20, 20);
    SetDrawMode(1);
    SelectFont(OpenFont(0, "Arial", 64));
    EndDrawing();

    BeginDrawing(ImageTarget(1));
    EXPECT_EQ(MeasureText("Efface classement"), stockWidth);
    DrawString("x");  // black, at (0, 0), on a white box
    DrawLine(0, 39, 3, 0);
    EndDrawing();
    EXPECT_EQ(At(0, 39), 0u);
    EXPECT_EQ(At(2, 39), 0u);
    EXPECT_EQ(At(0, 0), 0xFFFFFFu);
    EXPECT_GT(CountPixels({0, 0, 12, 20}, PixelsOf(ImageTarget(1)),
                          [](int, int, std::uint32_t pixel) { return pixel == 0; }),
              0)
        << "the text went to the pen's initial place";
}

TEST_F(DrawingTest, NothingIsDrawnWhileNothingIsOpen) {
    SetColour(255, 0, 0);
    DrawBox(0, 0, 40, 40, Red);
    DrawLine(0, 0, 10, 0, Red);
    PutPixel(1, 1, Red);
    MovePen(0, 0);
    DrawString("Quickstack");
    BlitImage(SolidImage(2, 5, 5, Red), 0, 0);
    DrawRoundRect(0, 0, 40, 40, 10, 10, 4, Red, Red);
    EXPECT_EQ(MeasureText("Quickstack"), 0);
    EXPECT_EQ(PixelBuffer(), nullptr);
    EXPECT_EQ(Unblack(), 0);
}

TEST_F(DrawingTest, AMissingTargetOpensNothingAndClosesThePrevious) {
    EXPECT_NE(BeginDrawing(ImageTarget(1)), 0);
    EXPECT_EQ(BeginDrawing(ImageTarget(99)), 0);
    DrawBox(0, 0, 1, 1, Red);
    EXPECT_EQ(At(0, 0), 0u);
    EXPECT_EQ(BeginDrawing(SpriteTarget(1)), 0);
    EXPECT_EQ(BeginDrawing(WindowTarget()), 0);  // no window yet
}

TEST_F(DrawingTest, BlitCopiesEveryPixelAndIsCutAtTheEdges) {
    const Handle red = SolidImage(2, 10, 10, Red);
    BeginDrawing(ImageTarget(2));
    PutPixel(0, 0, 0);  // black is copied too
    EndDrawing();
    BeginDrawing(ImageTarget(1));
    DrawBox(0, 0, 40, 40, Green);
    BlitImage(red, 35, -5);
    BlitImage(red, 0, 10);
    EndDrawing();
    EXPECT_EQ(At(35, 0), 0xFF0000u);
    EXPECT_EQ(At(39, 4), 0xFF0000u);
    EXPECT_EQ(At(34, 0), 0x00FF00u);
    EXPECT_EQ(At(35, 5), 0x00FF00u);
    EXPECT_EQ(At(0, 10), 0u);
    EXPECT_EQ(At(9, 19), 0xFF0000u);
    EXPECT_EQ(At(10, 19), 0x00FF00u);
}

TEST_F(DrawingTest, ReplacingAnImageFreesTheOldOne) {
    const Handle first = SolidImage(2, 5, 5, Red);
    const Handle second = NewImage(2, 5, 5);
    EXPECT_NE(first, second);
    EXPECT_EQ(ImageHandle(2), second);
    BeginDrawing(ImageTarget(1));
    BlitImage(first, 0, 0);
    EndDrawing();
    EXPECT_EQ(At(0, 0), 0u);
}

TEST_F(DrawingTest, ACopiedRegionKeepsItsPixels) {
    NewImage(13, 800, 600);
    BeginDrawing(ImageTarget(13));
    DrawBox(80, 450, 80, 80, Green);
    PutPixel(81, 451, Red);
    EndDrawing();
    EXPECT_NE(CopyImageRegion(13, 15, 80, 450, 80, 80), 0);
    BeginDrawing(ImageTarget(13));
    DrawBox(0, 0, 800, 600, White);
    EndDrawing();
    EXPECT_EQ(PixelAt(ImageTarget(15), 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(ImageTarget(15), 1, 1), 0xFF0000u);
    EXPECT_EQ(PixelAt(ImageTarget(15), 79, 79), 0x00FF00u);
    EXPECT_EQ(CopyImageRegion(99, 16, 0, 0, 10, 10), 0);
}

TEST_F(DrawingTest, AndBlitCombinesPixelByPixelWhereTheImageLies) {
    SolidImage(2, 4, 4, PackColour(0xF0, 0x0F, 0xFF));
    const Handle mask = SolidImage(3, 2, 2, PackColour(0x3C, 0xFF, 0x00));
    BeginDrawing(ImageTarget(3));
    PutPixel(1, 1, White);
    EndDrawing();
    BeginDrawing(ImageTarget(2));
    AndBlitImage(mask, 0, 0);
    EndDrawing();
    EXPECT_EQ(PixelAt(ImageTarget(2), 0, 0), 0x300F00u);
    EXPECT_EQ(PixelAt(ImageTarget(2), 1, 1), 0xF00FFFu);
    EXPECT_EQ(PixelAt(ImageTarget(2), 2, 2), 0xF00FFFu);  // beyond the image
}

TEST_F(DrawingTest, AFreedImageIsGoneAndAWindowBackgroundKeepsItsPixels) {
    const Handle window = OpenMainWindow(0, 0, 0, 4, 4, 0, "");
    SetWindowBackground(window, SolidImage(2, 4, 4, Red));
    FreeImage(2);
    EXPECT_EQ(ImageHandle(2), 0);
    EXPECT_EQ(BeginDrawing(ImageTarget(2)), 0);
    RepaintNow(window);
    EXPECT_EQ(PixelAt(WindowTarget(), 3, 3), 0xFF0000u);
}

// The window skin's mask: a white body outlined by a 4-pixel black pen.
TEST_F(DrawingTest, ARoundedRectangleIsFilledInsideAndOutlinedOnItsBorder) {
    NewImage(2, 800, 600);
    BeginDrawing(ImageTarget(2));
    DrawBox(0, 0, 800, 600, Green);
    DrawRoundRect(21, 1, 779, 599, 48, 48, 4, Red, White);
    EndDrawing();
    const auto at = [](int x, int y) { return PixelAt(ImageTarget(2), x, y); };
    EXPECT_EQ(at(400, 300), 0xFFFFFFu);
    EXPECT_EQ(at(18, 300), 0x00FF00u);
    for (int x = 19; x <= 22; ++x) {
        EXPECT_EQ(at(x, 300), 0xFF0000u) << x;
    }
    EXPECT_EQ(at(23, 300), 0xFFFFFFu);
    for (int x = 776; x <= 779; ++x) {
        EXPECT_EQ(at(x, 300), 0xFF0000u) << x;
    }
    EXPECT_EQ(at(775, 300), 0xFFFFFFu);
    EXPECT_EQ(at(780, 300), 0x00FF00u);
    EXPECT_EQ(at(400, 599), 0xFF0000u);
    EXPECT_EQ(at(400, 595), 0xFFFFFFu);
    EXPECT_EQ(at(22, 3), 0x00FF00u) << "the corners are rounded";
    EXPECT_EQ(at(777, 597), 0x00FF00u);
}

TEST_F(DrawingTest, TargetsSaveAsPng) {
    BeginDrawing(ImageTarget(1));
    DrawBox(0, 0, 40, 40, PackColour(10, 20, 30));
    PutPixel(39, 39, Red);
    EndDrawing();
    QTemporaryDir folder;
    const std::string path = folder.filePath("image.png").toStdString();
    ASSERT_TRUE(SaveTargetPng(ImageTarget(1), path));
    const QImage saved(QString::fromStdString(path));
    ASSERT_EQ(saved.size(), QSize(40, 40));
    EXPECT_EQ(saved.pixel(0, 0) & 0xFFFFFF, 0x0A141Eu);
    EXPECT_EQ(saved.pixel(39, 39) & 0xFFFFFF, 0xFF0000u);
    EXPECT_FALSE(SaveTargetPng(ImageTarget(7), path));
}

}  // namespace
