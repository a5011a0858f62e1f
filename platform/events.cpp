// The event queue: Qt's input, the timer and the buttons become plain events here, after
// the hook has seen them as window messages.
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QWindow>
#include <algorithm>
#include <thread>

#include "platform/platform_state.h"
#include "platform/widgets.h"

namespace {

void OnTimerTick() {
    PlatformState& state = State();
    if (state.tickDrops > 0 || CallHook(MsgTimer, 1, 0) != HookDefault) {
        return;
    }
    const bool waiting =
        std::any_of(state.queue.begin(), state.queue.end(),
                    [](const QueuedEvent& event) { return event.kind == EvTimer; });
    if (!waiting) {
        PushEvent({EvTimer});
    }
}

}  // namespace

// Windows virtual-key codes where they differ from Qt's; letters and digits share theirs.
int VirtualKeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 0x70 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
        case Qt::Key_Left:
            return KeyLeft;
        case Qt::Key_Up:
            return KeyUp;
        case Qt::Key_Right:
            return KeyRight;
        case Qt::Key_Down:
            return KeyDown;
        case Qt::Key_Backspace:
            return 0x08;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 0x09;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 0x0D;
        case Qt::Key_Shift:
            return 0x10;
        case Qt::Key_Control:
            return 0x11;
        case Qt::Key_Alt:
            return 0x12;
        case Qt::Key_Pause:
            return 0x13;
        case Qt::Key_CapsLock:
            return 0x14;
        case Qt::Key_Escape:
            return 0x1B;
        case Qt::Key_Space:
            return 0x20;
        case Qt::Key_PageUp:
            return 0x21;
        case Qt::Key_PageDown:
            return 0x22;
        case Qt::Key_End:
            return 0x23;
        case Qt::Key_Home:
            return 0x24;
        case Qt::Key_Print:
            return 0x2C;
        case Qt::Key_Insert:
            return 0x2D;
        case Qt::Key_Delete:
            return 0x2E;
        case Qt::Key_Meta:
            return 0x5B;
        case Qt::Key_Menu:
            return 0x5D;
        case Qt::Key_NumLock:
            return 0x90;
        case Qt::Key_ScrollLock:
            return 0x91;
        default:
            return 0;  // no code of its own, and never taken for an arrow
    }
}

void ReportKey(const QKeyEvent& event) {
    const int code = VirtualKeyCode(event.key());
    const std::intptr_t repeat = 1 | (event.isAutoRepeat() ? (1 << 30) : 0);
    if (CallHook(MsgKeyDown, code, repeat) == HookDefault) {
        PushEvent({EvKeyDown, 0, code});
    }
}

void ReportLeftButtonDown(QPoint inWindow) {
    const std::intptr_t position = ((inWindow.y() & 0xFFFF) << 16) | (inWindow.x() & 0xFFFF);
    if (CallHook(MsgLeftButtonDown, 1, position) == HookDefault) {
        PushEvent({EvLeftButtonDown});
    }
}

void ReportClose() {
    if (CallHook(MsgClose, 0, 0) == HookDefault) {
        PushEvent({EvClose});
    }
}

bool CloseRequested() {
    const std::deque<QueuedEvent>& queue = State().queue;
    return std::any_of(queue.begin(), queue.end(),
                       [](const QueuedEvent& event) { return event.kind == EvClose; });
}

void PushEvent(const QueuedEvent& event) {
    State().queue.push_back(event);
}

void StartTimer(Handle window, int periodMs) {
    PlatformState& state = State();
    if (!IsMainWindow(window)) {
        return;
    }
    if (!state.timer) {
        state.timer = std::make_unique<QTimer>();
        state.timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(state.timer.get(), &QTimer::timeout, &OnTimerTick);
    }
    state.timer->start(std::max(periodMs, 1));
}

int WaitEvent() {
    PlatformState& state = State();
    MessageScope scope;
    for (;;) {
        ServePendingRepaint();
        if (!state.queue.empty()) {
            const QueuedEvent event = state.queue.front();
            state.queue.pop_front();
            if (event.kind == EvGadget) {
                state.lastGadget = event.gadget;
            } else if (event.kind == EvKeyDown) {
                state.lastKey = event.key;
            }
            return event.kind;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

int EventGadgetNumber() {
    return State().lastGadget;
}

int EventKeyCode() {
    return State().lastKey;
}

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
// ends it at once, since the program is about to end. A Wayland
// compositor moves the window on its own and tells the program nothing, not even the
// release: there the call hands the move over and returns.
void BeginWindowDrag(Handle window) {
    if (!IsMainWindow(window) || !LeftButtonHeld()) {
        return;
    }
    MainWindow& widget = *State().window;
    QWindow* native = widget.windowHandle();
    if (OnNativeWayland()) {
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
