#include <QCursor>
#include <QKeyEvent>
#include <QTest>

#include "platform/message_hook.h"
#include "tests/platform_test_support.h"

namespace {

class EventsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        BeginGadgets(window);
        for (int number = 1; number <= 2; ++number) {
            NewImageButton(number, 40, 45 + 25 * number, 140, 20,
                           SolidImage(7 + number, 140, 20, PackColour(0, 200, 0)));
        }
    }
    // Every event that is already waiting, ended by a key press of our own.
    std::vector<Event> WaitingEvents() {
        QTest::keyClick(Widget(), Qt::Key_F12);
        std::vector<Event> events;
        for (;;) {
            const Event event = WaitEvent();
            if (event == Event{.kind = EvKeyDown, .keyCode = 0x7B}) {
                return events;
            }
            events.push_back(event);
        }
    }
};

constexpr Event Timer{.kind = EvTimer};
constexpr Event LeftButtonDown{.kind = EvLeftButtonDown};

constexpr Event Key(int code) {
    return {.kind = EvKeyDown, .keyCode = code};
}

constexpr Event Gadget(int number) {
    return {.kind = EvGadget, .gadgetNumber = number};
}

struct KeyCode {
    Qt::Key key;
    int code;
};

void PrintTo(const KeyCode& key, std::ostream* out) {
    *out << "code " << key.code;
}

class KeyCodeTest : public EventsTest, public testing::WithParamInterface<KeyCode> {};

TEST_P(KeyCodeTest, AKeyGoesDownWithItsVirtualKeyCode) {
    QTest::keyClick(Widget(), GetParam().key);
    EXPECT_EQ(WaitEvent(), Key(GetParam().code));
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyCodeTest,
                         testing::Values(KeyCode{Qt::Key_Left, 37}, KeyCode{Qt::Key_Up, 38},
                                         KeyCode{Qt::Key_Right, 39}, KeyCode{Qt::Key_Down, 40},
                                         KeyCode{Qt::Key_Space, 32}, KeyCode{Qt::Key_A, 65},
                                         KeyCode{Qt::Key_Escape, 27}, KeyCode{Qt::Key_Return, 13}));

TEST_F(EventsTest, OtherKeysNeverPassForArrows) {
    for (Qt::Key key : {Qt::Key_Percent, Qt::Key_Ampersand, Qt::Key_Apostrophe, Qt::Key_ParenLeft,
                        Qt::Key_Eacute, Qt::Key_Dead_Circumflex}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(Widget(), &press);
        const Event event = WaitEvent();
        ASSERT_EQ(event.kind, EvKeyDown);
        EXPECT_TRUE(event.keyCode < KeyLeft || event.keyCode > KeyDown) << key;
    }
}

TEST_F(EventsTest, EachAutomaticRepeatIsOneMoreKeyDown) {
    for (int i = 0; i < 3; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), i > 0);
        QApplication::sendEvent(Widget(), &press);
    }
    EXPECT_EQ(WaitingEvents(), std::vector<Event>(3, Key(KeyDown)));
}

TEST_F(EventsTest, AClickOnAButtonIsAPressThenItsGadgetEvent) {
    QTest::mouseClick(Button(2), Qt::LeftButton);
    EXPECT_EQ(WaitEvent(), LeftButtonDown);
    EXPECT_EQ(WaitEvent(), Gadget(2));
}

TEST_F(EventsTest, AClickedButtonTakesTheFocusAndTheSpaceBarClicksIt) {
    QTest::mouseClick(Button(1), Qt::LeftButton);
    EXPECT_EQ(Widget()->focusWidget(), Button(1));
    QTest::keyClick(Button(1), Qt::Key_Space);
    EXPECT_EQ(WaitingEvents(),
              (std::vector<Event>{LeftButtonDown, Gadget(1), Key(0x20), Gadget(1)}));
}

TEST_F(EventsTest, ArrowsOnAFocusedButtonAreKeysAndMoveNoFocus) {
    Button(1)->setFocus();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left}) {
        QTest::keyClick(Button(1), key);
        EXPECT_EQ(WaitEvent(), Key(key == Qt::Key_Down    ? KeyDown
                                   : key == Qt::Key_Right ? KeyRight
                                   : key == Qt::Key_Up    ? KeyUp
                                                          : KeyLeft));
        EXPECT_EQ(Widget()->focusWidget(), Button(1));
    }
    EXPECT_EQ(WaitingEvents(), std::vector<Event>{}) << "each key reported once";
}

TEST_F(EventsTest, ALeftPressOnTheWindowIsReported) {
    QTest::mousePress(Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 20));
    QTest::mouseRelease(Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 20));
    QTest::mousePress(Widget(), Qt::RightButton, Qt::NoModifier, QPoint(400, 20));
    EXPECT_EQ(WaitingEvents(), std::vector<Event>{LeftButtonDown});
}

TEST_F(EventsTest, ACloseRequestIsAnEventAndTheWindowStays) {
    Widget()->close();
    EXPECT_EQ(WaitEvent().kind, EvClose);
    EXPECT_TRUE(Widget()->isVisible());
}

TEST_F(EventsTest, TheHookSeesMessagesFirstAndMaySwallowThem) {
    std::vector<std::pair<std::uint32_t, std::intptr_t>> seen;
    SetMessageHook([&](Handle, std::uint32_t message, std::intptr_t first, std::intptr_t) {
        seen.push_back({message, first});
        return message == MsgClose ? 0u : HookDefault;
    });
    QTest::keyClick(Widget(), Qt::Key_Right);
    Widget()->close();
    QTest::mouseClick(Button(1), Qt::LeftButton);
    EXPECT_EQ(WaitingEvents(), (std::vector<Event>{Key(KeyRight), LeftButtonDown, Gadget(1)}));
    const std::vector<std::pair<std::uint32_t, std::intptr_t>> expected{{MsgKeyDown, KeyRight},
                                                                        {MsgClose, 0},
                                                                        {MsgLeftButtonDown, 1},
                                                                        {MsgCommand, 1},
                                                                        {MsgKeyDown, 0x7B}};
    EXPECT_EQ(seen, expected);
}

TEST_F(EventsTest, AtMostOneTimerTickWaits) {
    StartTimer(window, 5);
    for (int i = 0; i < 10; ++i) {
        Pause(6);
        ProcessQtEvents();
    }
    EXPECT_EQ(WaitingEvents(), std::vector<Event>{Timer});
}

TEST_F(EventsTest, AfterABusySecondOneTickWaits) {
    StartTimer(window, 100);
    Pause(1000);
    ProcessQtEvents();
    Pause(150);
    ProcessQtEvents();
    EXPECT_EQ(WaitingEvents(), std::vector<Event>{Timer});
}

TEST_F(EventsTest, TheTimerTicksWhileTheProgramWaits) {
    StartTimer(window, 10);
    const std::uint32_t start = TickCount();
    for (int ticks = 0; ticks < 3;) {
        ticks += WaitEvent() == Timer ? 1 : 0;
    }
    EXPECT_GE(TickCount() - start, 25u);
}

TEST_F(EventsTest, ThePointerIsReadInWindowCoordinates) {
    const QPoint origin = Widget()->mapToGlobal(QPoint(0, 0));
    QCursor::setPos(origin + QPoint(400, 30));
    EXPECT_EQ(CursorYInWindow(), 30);
    QCursor::setPos(origin + QPoint(800, 600));
    EXPECT_EQ(CursorYInWindow(), 600) << "both ends count as inside";
    QCursor::setPos(origin + QPoint(0, 0));
    EXPECT_EQ(CursorYInWindow(), 0);
    if (origin.x() > 0) {
        QCursor::setPos(origin + QPoint(-1, 300));
        EXPECT_EQ(CursorYInWindow(), -1) << "left of the window, whatever its y";
    }
    QCursor::setPos(origin + QPoint(801, 300));
    EXPECT_EQ(CursorYInWindow(), -1);
    QCursor::setPos(origin + QPoint(400, 601));
    EXPECT_EQ(CursorYInWindow(), -1);
}

TEST_F(EventsTest, ADragWithoutAPressedButtonEndsAtOnce) {
    const QPoint before = Widget()->pos();
    BeginWindowDrag(window);
    EXPECT_EQ(Widget()->pos(), before);
}

TEST_F(EventsTest, TheClockIsMonotonicMilliseconds) {
    const std::uint32_t start = TickCount();
    Pause(30);
    const std::uint32_t elapsed = TickCount() - start;
    EXPECT_GE(elapsed, 30u);
    EXPECT_LT(elapsed, 1000u);
}

}  // namespace
