#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "tests/platform_test_support.h"

namespace {

class RequestersTest : public WindowTest {};

QLineEdit* Field(QWidget* dialog) {
    return dialog->findChild<QLineEdit*>();
}

// Types each character as a key press carrying it, accented ones included.
void Type(QWidget* widget, const QString& text) {
    for (QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
    }
}

TEST_F(RequestersTest, EnterReturnsTheDefaultText) {
    WhenModal([](QWidget* dialog) { QTest::keyClick(Field(dialog), Qt::Key_Return); });
    EXPECT_EQ(AskText("Bravo, tu es le N\xB0 1", "Entre ton nom :", "Zo\xE9"), "Zo\xE9");
}

TEST_F(RequestersTest, TypingGoesAfterTheDefaultTextWithNothingSelected) {
    WhenModal([](QWidget* dialog) {
        EXPECT_FALSE(Field(dialog)->hasSelectedText());
        EXPECT_EQ(Field(dialog)->cursorPosition(), 3);
        Type(Field(dialog), QString::fromUtf8("lé"));
        QTest::keyClick(Field(dialog), Qt::Key_Enter);
    });
    EXPECT_EQ(AskText("t", "p", "Zoe"), "Zoel\xE9");
}

TEST_F(RequestersTest, TheOkButtonReturnsTheText) {
    WhenModal([](QWidget* dialog) {
        Field(dialog)->setText(QString::fromUtf8("Amélie €"));
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == "Ok") {
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    });
    EXPECT_EQ(AskText("t", "p", ""), "Am\xE9lie \x80");
}

TEST_F(RequestersTest, EscapeReturnsAnEmptyTextWhateverTheFieldHeld) {
    WhenModal([](QWidget* dialog) {
        QTest::keyClicks(Field(dialog), "abc");
        QTest::keyClick(Field(dialog), Qt::Key_Escape);
    });
    EXPECT_EQ(AskText("t", "p", "Zoe"), "");
}

TEST_F(RequestersTest, ACloseRequestReturnsAnEmptyText) {
    WhenModal([](QWidget* dialog) { dialog->close(); });
    EXPECT_EQ(AskText("t", "p", "Zoe"), "");
}

TEST_F(RequestersTest, CharactersOutsideTheSetComeBackAsQuestionMarks) {
    WhenModal([](QWidget* dialog) {
        Field(dialog)->setText(QString::fromUtf8("Zoë 日本"));
        QTest::keyClick(Field(dialog), Qt::Key_Return);
    });
    EXPECT_EQ(AskText("t", "p", ""), "Zo\xEB ??");
}

TEST_F(RequestersTest, AtMost9999CharactersComeBack) {
    WhenModal([](QWidget* dialog) {
        QTest::keyClicks(Field(dialog), "xyz");
        QTest::keyClick(Field(dialog), Qt::Key_Return);
    });
    EXPECT_EQ(AskText("t", "p", std::string(9998, 'a')), std::string(9998, 'a') + "x");
}

TEST_F(RequestersTest, TheTextRequestHasItsLayout) {
    WhenModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->size(), QSize(300, 130));
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Bravo, tu es le N° 12"));
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_EQ(dialog->geometry().topLeft(),
                  QPoint(screen.width() / 2 - 150, screen.height() / 2 - 65));
        QLabel* label = dialog->findChild<QLabel*>();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), "Entre ton nom :");
        EXPECT_EQ(label->geometry(), QRect(10, 10, 280, 22));
        EXPECT_EQ(Field(dialog)->geometry(), QRect(10, 32, 275, 21));
        EXPECT_EQ(dialog->focusWidget(), Field(dialog));
        QPushButton* ok = dialog->findChild<QPushButton*>();
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "Ok");
        EXPECT_EQ(ok->geometry(), QRect(110, 67, 80, 25));
        EXPECT_TRUE(ok->isDefault());
        QTest::keyClick(Field(dialog), Qt::Key_Escape);
    });
    AskText("Bravo, tu es le N\xB0 12", "Entre ton nom :", "");
}

TEST_F(RequestersTest, AMessageShowsItsLinesAndOneOkButton) {
    WhenModal([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QString::fromUtf8("Règle du jeu"));
        EXPECT_EQ(box->text(),
                  QString::fromUtf8(
                      "     - une ligne      10 points\n le plus rapide...\n\n - flèche bas\n"));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_TRUE(box->buttons().front()->icon().isNull()) << "a plain OK button";
        auto* lines = box->findChild<QLabel*>("qt_msgbox_label");
        ASSERT_NE(lines, nullptr);
        QTest::mouseDClick(lines, Qt::LeftButton, {}, QPoint(40, 5));
        EXPECT_FALSE(lines->hasSelectedText()) << "the lines are not for selecting, as on Windows";
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(ShowMessage(Windows1252("Règle du jeu"),
                          Windows1252("     - une ligne      10 points\r le plus rapide...\r\r"
                                      " - flèche bas\r"),
                          0),
              1);
}

TEST_F(RequestersTest, ARepaintDuringAMessageRunsTheHookInsideIt) {
    RecordMessages();
    WhenModal([this](QWidget* box) {
        messages.clear();
        Expose();
        QTimer::singleShot(50, box, [box] { QTest::keyClick(box, Qt::Key_Escape); });
    });
    ShowMessage("Probl\xE8me", "Impossible d'ouvrir le p\xE9riph\xE9rique MIDI", 0);
    EXPECT_EQ(CountMessages(MsgRepaint), 1);
}

TEST_F(RequestersTest, TimerTicksDuringARequesterAreLost) {
    StartTimer(window, 5);
    WhenModal([](QWidget* dialog) {
        QTimer::singleShot(100, dialog,
                           [dialog] { QTest::keyClick(Field(dialog), Qt::Key_Return); });
    });
    AskText("t", "p", "");
    QTest::keyClick(Widget(), Qt::Key_F12);
    EXPECT_EQ(WaitEvent().kind, EvKeyDown) << "no tick was kept from the requester's time";
}

TEST_F(RequestersTest, TheMainWindowTakesNoInputMeanwhile) {
    WhenModal([this](QWidget* dialog) {
        // Through the window system, as a real click comes.
        QTest::mouseClick(Widget()->windowHandle(), Qt::LeftButton, {}, QPoint(100, 80));
        QTest::keyClick(Field(dialog), Qt::Key_Escape);
    });
    BeginGadgets(window);
    NewImageButton(1, 40, 70, 140, 20, SolidImage(8, 140, 20, 0));
    AskText("t", "p", "");
    QTest::keyClick(Widget(), Qt::Key_F12);
    EXPECT_EQ(WaitEvent(), (Event{.kind = EvKeyDown, .keyCode = 0x7B}));
}

}  // namespace
