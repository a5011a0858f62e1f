#include <QBitmap>
#include <QScreen>
#include <QTimer>

#include "tests/platform_test_support.h"

// Test names show sizes as W×H.
void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << "x" << size.height();
}

namespace {

constexpr std::int32_t Red = PackColour(255, 0, 0);
constexpr std::int32_t Green = PackColour(0, 255, 0);

constexpr RoundRect Band{0, 0, 800, 50, 50, 50};
constexpr RoundRect Body{20, 0, 780, 600, 50, 50};

class CentringTest : public PlatformTest, public testing::WithParamInterface<QSize> {};

// left = sw / 2 − min(w, sw) / 2 and top likewise, halves rounded down.
TEST_P(CentringTest, ACentredWindowStandsInTheMiddleOfTheScreen) {
    const QSize size = GetParam();
    const Handle window =
        OpenMainWindow(0, 7, 9, size.width(), size.height(), WindowBorderless | WindowCentred, "");
    ASSERT_NE(window, 0);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int sw = screen.width(), sh = screen.height();
    const QPoint expected(sw / 2 - std::min(size.width(), sw) / 2,
                          sh / 2 - std::min(size.height(), sh) / 2);
    EXPECT_EQ(State().window->geometry().topLeft(), expected);
    EXPECT_EQ(State().window->size(), size);
}

INSTANTIATE_TEST_SUITE_P(Sizes, CentringTest,
                         testing::Values(QSize(800, 600), QSize(301, 201), QSize(2000, 1500)));

TEST_F(PlatformTest, AnUncentredWindowStandsWhereAsked) {
    OpenMainWindow(0, 30, 40, 200, 100, WindowBorderless, "");
    EXPECT_EQ(State().window->geometry(), QRect(30, 40, 200, 100));
}

TEST_F(WindowTest, TheGameWindowIsFramelessVisibleAndTitled) {
    EXPECT_TRUE(Widget()->isVisible());
    EXPECT_TRUE(Widget()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(Widget()->windowTitle(), "Quickstack");
    EXPECT_EQ(Widget()->size(), QSize(800, 600));
}

TEST_F(WindowTest, RepaintNowRunsTheHookOnce) {
    RecordMessages();
    RepaintNow(window);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, MsgRepaint);
}

TEST_F(WindowTest, ARepaintErasesWithTheBackgroundThenLetsTheHookDraw) {
    const Handle background = SolidImage(13, 800, 600, Green);
    SetMessageHook([&](Handle w, std::uint32_t message, std::intptr_t, std::intptr_t) {
        if (message == MsgRepaint) {
            EXPECT_EQ(PixelAt(WindowTarget(), 10, 10), 0x00FF00u) << "erased before the hook";
            EXPECT_EQ(w, window);
            BeginDrawing(WindowTarget());
            DrawBox(100, 100, 10, 10, Red);
            EndDrawing();
        }
        return HookDefault;
    });
    SetWindowBackground(window, background);
    BeginDrawing(WindowTarget());
    DrawBox(0, 0, 800, 600, 0);
    EndDrawing();
    RepaintNow(window);
    EXPECT_EQ(PixelAt(WindowTarget(), 100, 100), 0xFF0000u);
    EXPECT_EQ(PixelAt(WindowTarget(), 99, 100), 0x00FF00u);
    EXPECT_EQ(PixelAt(WindowTarget(), 799, 599), 0x00FF00u);
}

// The background holds the picture as it was given; the image goes on as a picture of its own.
TEST_F(WindowTest, DrawingIntoTheBackgroundsImageLeavesTheBackgroundAsGiven) {
    const Handle background = SolidImage(13, 800, 600, Green);
    SetWindowBackground(window, background);
    BeginDrawing(ImageTarget(13));
    DrawBox(0, 0, 800, 600, Red);
    EndDrawing();
    RepaintNow(window);
    EXPECT_EQ(PixelAt(WindowTarget(), 400, 300), 0x00FF00u);
    EXPECT_EQ(PixelAt(ImageTarget(13), 400, 300), 0xFF0000u);
}

TEST_F(WindowTest, WithoutBackgroundTheWindowIsErasedGrey) {
    BeginDrawing(WindowTarget());
    DrawBox(0, 0, 800, 600, Red);
    EndDrawing();
    RepaintNow(window);
    EXPECT_EQ(PixelAt(WindowTarget(), 400, 300), 0xF0F0F0u);
}

TEST_F(WindowTest, DrawingOnTheWindowLastsUntilTheNextRepaint) {
    BeginDrawing(WindowTarget());
    DrawBox(80, 450, 80, 80, Red);
    EndDrawing();
    EXPECT_EQ(PixelAt(WindowTarget(), 80, 450), 0xFF0000u);
    const QImage shown = Widget()->grab(QRect(80, 450, 1, 1)).toImage();
    EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, 0xFF0000u) << "the widget shows the surface";
    RepaintNow(window);
    EXPECT_EQ(PixelAt(WindowTarget(), 80, 450), 0xF0F0F0u);
}

TEST_F(WindowTest, TheShapeIsTheUnionOfTheRoundedRectangles) {
    SetWindowShape(window, Band, Body);
    const QRegion mask = Widget()->mask();
    EXPECT_TRUE(mask.contains(QPoint(400, 25)));
    EXPECT_TRUE(mask.contains(QPoint(2, 25)));
    EXPECT_TRUE(mask.contains(QPoint(20, 300)));
    EXPECT_TRUE(mask.contains(QPoint(779, 300)));
    EXPECT_TRUE(mask.contains(QPoint(400, 599)));
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(799, 0)));
    EXPECT_FALSE(mask.contains(QPoint(19, 300)));
    EXPECT_FALSE(mask.contains(QPoint(780, 300)));
    EXPECT_FALSE(mask.contains(QPoint(10, 60)));
    EXPECT_FALSE(mask.contains(QPoint(20, 599)));
    EXPECT_FALSE(mask.contains(QPoint(400, 600)));
    EXPECT_FALSE(mask.contains(QPoint(800, 25)));
}

// The first expose, then the game's hook setting shape and background every time.
TEST_F(WindowTest, TheSkinsOwnRequestsCauseNoFurtherRepaint) {
    const Handle background = SolidImage(13, 800, 600, Green);
    int repaints = 0;
    SetMessageHook([&](Handle w, std::uint32_t message, std::intptr_t, std::intptr_t) {
        if (message == MsgRepaint) {
            ++repaints;
            SetWindowShape(w, Band, Body);
            SetWindowBackground(w, background);
            ShowSprite(14, 0, 0);
            PresentPlayArea();
        }
        return HookDefault;
    });
    StartTimer(window, 30);
    while (WaitEvent().kind != EvTimer) {
    }
    EXPECT_EQ(repaints, 1) << "the first display";
    EXPECT_EQ(PixelAt(WindowTarget(), 10, 20), 0x00FF00u);
    RepaintNow(window);
    EXPECT_EQ(repaints, 2);
    for (int ticks = 0; ticks < 3;) {
        ticks += WaitEvent().kind == EvTimer ? 1 : 0;
    }
    EXPECT_EQ(repaints, 2);
}

TEST_F(WindowTest, OnlyAnExposeRepaintsAndInsideTheNextWait) {
    RecordMessages();
    StartTimer(window, 20);
    while (WaitEvent().kind != EvTimer) {
    }
    messages.clear();
    Widget()->update();  // as Qt paints the window behind a button that repaints itself
    while (WaitEvent().kind != EvTimer) {
    }
    EXPECT_EQ(CountMessages(MsgRepaint), 0) << "Qt's own paint is no uncover";
    Expose();
    ProcessQtEvents();
    EXPECT_EQ(CountMessages(MsgRepaint), 0) << "only the layer's own calls run the hook";
    while (WaitEvent().kind != EvTimer) {
    }
    EXPECT_EQ(CountMessages(MsgRepaint), 1);
}

// Within the expose itself, before Qt paints the window: the first frame shown is the game's.
TEST_F(WindowTest, AnExposeWhileMessagesAreHandledRepaintsAtOnce) {
    RecordMessages();
    StartTimer(window, 20);
    while (WaitEvent().kind != EvTimer) {
    }
    messages.clear();
    int repaintsWithinTheExpose = -1;
    QTimer::singleShot(0, [&] {
        Expose();
        repaintsWithinTheExpose = CountMessages(MsgRepaint);
    });
    while (WaitEvent().kind != EvTimer) {
    }
    EXPECT_EQ(repaintsWithinTheExpose, 1);
}

TEST_F(WindowTest, PauseHandlesNoMessage) {
    RecordMessages();
    StartTimer(window, 5);
    Expose();
    Pause(50);
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowTest, ShutdownReleasesEverything) {
    NewImage(8, 10, 10);
    NewSprite(1, 30, 30);
    const Handle font = OpenFont(0, "Arial", 12);
    ShutdownPlatform();
    EXPECT_EQ(ImageHandle(8), 0);
    EXPECT_EQ(BeginDrawing(SpriteTarget(1)), 0);
    EXPECT_EQ(BeginDrawing(WindowTarget()), 0);
    EXPECT_TRUE(State().fonts.find(font) == State().fonts.end());
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(WindowTest, TheWindowGetsTheProjectsIconAndNothingElseDoes) {
    SetWindowIcon(window);
    SetWindowIcon(0);
    EXPECT_TRUE(Widget()->isVisible());
    EXPECT_EQ(Widget()->windowIcon().availableSizes(), QList<QSize>{QSize(64, 64)});
}

}  // namespace
