// The pointer over the window, and the window dragged by it.
#include <QCoreApplication>
#include <QCursor>
#include <QWidget>
#include <QWindow>
#include <thread>

#include "platform/display.h"
#include "platform/event_queue.h"
#include "platform/message_hook.h"
#include "platform/state.h"
#include "platform/targets.h"

int CursorYInWindow() {
    const PlatformState& state = State();
    if (!state.window) {
        return -1;
    }
    const QPoint at = PointerInWindow(*state.window);
    const bool inside = at.x() >= 0 && at.x() <= state.window->width() && at.y() >= 0 &&
                        at.y() <= state.window->height();
    return inside ? at.y() : -1;
}

// The window manager moves the window when it can; on a bare X server the window
// follows the pointer itself. Either way the call lasts until the button is released,
// so a system move is asked for only where that release can be seen; a close request
// ends it at once, since the program is about to end. A Wayland compositor moves the
// window on its own and tells the program nothing, not even the release, which under
// XWayland its X server learns only from the pointer's next motion: there the call hands
// the move over and returns.
void BeginWindowDrag(Handle window) {
    if (!IsMainWindow(window) || !LeftButtonHeld()) {
        return;
    }
    QWidget& widget = *State().window;
    QWindow* native = widget.windowHandle();
    if (OnNativeWayland() || OnXWayland()) {
        if (native != nullptr) {
            native->startSystemMove();
        }
        return;
    }
    MessageScope scope(true);
    const bool systemMove =
        native != nullptr && ButtonsReadFromServer() && native->startSystemMove();
    const QPoint grab = QCursor::pos() - widget.pos();
    while (LeftButtonHeld() && !CloseRequested()) {
        if (!systemMove && QCursor::pos() - grab != widget.pos()) {
            widget.move(QCursor::pos() - grab);
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!systemMove) {
        widget.move(QCursor::pos() - grab);  // where the button was let go
    }
}
