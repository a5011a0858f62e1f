// The two modal requesters. While one is open, its own loop handles the messages: the
// hook may run for repaints, and timer ticks are lost.
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "platform/display.h"
#include "platform/message_hook.h"
#include "platform/state.h"
#include "platform/windows1252.h"

namespace {

constexpr int LongestAnswer = 9999;  // characters: a buffer of 10000 with its terminator
constexpr QSize AskSize(300, 130);

QWidget* Owner() {
    return State().window.get();
}

// A dialog focuses its first field as if tabbed into, which selects the whole text; the
// answer field keeps the caret after its last character and nothing selected instead.
class AnswerField : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        deselect();
        end(false);
    }
};

// Carriage returns end the game's lines.
QString Lines(std::string_view text) {
    QString lines = FromWindows1252(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

// While a requester is open the window takes no input, as a Windows box's owner takes
// none. The requester does this itself rather than through Qt's modality, which would also
// drop a close request to the window: the game takes that as the requester's "Ok", then
// the close.
class InputBlock : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel: {
                const auto* widget = qobject_cast<QWidget*>(watched);
                return widget != nullptr && Owner() != nullptr && widget->window() == Owner();
            }
            default:
                return false;
        }
    }
};

// Shows the requester over the window and handles the messages until it is answered.
int RunRequester(QDialog& requester) {
    InputBlock block;
    QCoreApplication::instance()->installEventFilter(&block);
    State().requester = &requester;
    requester.setWindowModality(Qt::NonModal);  // a message box makes itself modal
    requester.show();
    requester.raise();
    requester.activateWindow();
    QEventLoop loop;
    QObject::connect(&requester, &QDialog::finished, &loop, &QEventLoop::quit);
    if (requester.isVisible()) {
        loop.exec(QEventLoop::DialogExec);
    }
    if (PlatformState* state = ExistingState()) {
        state->requester = nullptr;
    }
    QCoreApplication::instance()->removeEventFilter(&block);
    return requester.result();
}

}  // namespace

int ShowMessage(std::string_view title, std::string_view text, int /*flags*/) {
    MessageScope scope(true);
    QMessageBox box(Owner());
    box.setWindowTitle(FromWindows1252(title));
    box.setTextFormat(Qt::PlainText);
    // Not for selecting, as a Windows box's lines are not; selectable lines would also keep
    // Qt's text-editing code in memory for good.
    box.setTextInteractionFlags(Qt::NoTextInteraction);
    box.setText(Lines(text));
    box.setIcon(QMessageBox::NoIcon);
    // A button of its own text: a standard button draws on the style's icons, which loads
    // every image format plugin and keeps them in memory for good.
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    RunRequester(box);
    return 1;  // OK, the only button
}

std::string AskText(std::string_view title, std::string_view prompt, std::string_view defaultText) {
    MessageScope scope(true);
    QDialog dialog(Owner(), Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    dialog.setWindowTitle(FromWindows1252(title));
    dialog.setFixedSize(AskSize);
    dialog.setGeometry(QRect(CentredOnScreen(AskSize), AskSize));

    QLabel label(FromWindows1252(prompt), &dialog);
    label.setTextFormat(Qt::PlainText);
    label.setGeometry(10, 10, 280, 22);
    AnswerField field(&dialog);
    field.setGeometry(10, 32, 275, 21);
    field.setMaxLength(LongestAnswer);
    field.setText(FromWindows1252(defaultText));
    field.deselect();
    field.setCursorPosition(static_cast<int>(field.text().size()));
    QPushButton ok(QStringLiteral("Ok"), &dialog);
    ok.setGeometry(110, 67, 80, 25);
    ok.setDefault(true);
    QObject::connect(&ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    field.setFocus();

    if (RunRequester(dialog) != QDialog::Accepted) {
        return "";
    }
    return ToWindows1252(field.text().left(LongestAnswer));
}
