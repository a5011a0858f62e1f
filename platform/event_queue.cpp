// The event queue: Qt's input, the timer and the buttons become plain events here, after
// the hook has seen them as window messages.
#include "platform/event_queue.h"

#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>

#include "platform/key_codes.h"
#include "platform/message_hook.h"
#include "platform/repaint.h"
#include "platform/state.h"
#include "platform/targets.h"

namespace {

void OnTimerTick() {
    PlatformState& state = State();
    if (state.tickDrops > 0 || CallHook(MsgTimer, 1, 0) != HookDefault) {
        return;
    }
    const bool waiting = std::any_of(state.queue.begin(), state.queue.end(),
                                     [](const Event& event) { return event.kind == EvTimer; });
    if (!waiting) {
        PushEvent({.kind = EvTimer});
    }
}

}  // namespace

void ReportKey(const QKeyEvent& event) {
    const int code = VirtualKeyCode(event.key());
    const std::intptr_t repeat = 1 | (event.isAutoRepeat() ? (1 << 30) : 0);
    if (CallHook(MsgKeyDown, code, repeat) == HookDefault) {
        PushEvent({.kind = EvKeyDown, .keyCode = code});
    }
}

void ReportLeftButtonDown(QPoint inWindow) {
    const std::intptr_t position = ((inWindow.y() & 0xFFFF) << 16) | (inWindow.x() & 0xFFFF);
    if (CallHook(MsgLeftButtonDown, 1, position) == HookDefault) {
        PushEvent({.kind = EvLeftButtonDown});
    }
}

void ReportClose() {
    if (CallHook(MsgClose, 0, 0) == HookDefault) {
        PushEvent({.kind = EvClose});
    }
}

void ReportCloseOverRequester() {
    if (QDialog* requester = State().requester) {
        requester->accept();
    }
    ReportClose();
}

bool CloseRequested() {
    const std::deque<Event>& queue = State().queue;
    return std::any_of(queue.begin(), queue.end(),
                       [](const Event& event) { return event.kind == EvClose; });
}

void PushEvent(const Event& event) {
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

Event WaitEvent() {
    PlatformState& state = State();
    MessageScope scope;
    for (;;) {
        ServePendingRepaint();
        if (!state.queue.empty()) {
            const Event event = state.queue.front();
            state.queue.pop_front();
            return event;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
