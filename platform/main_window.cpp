// The main window's widget: it shows the surface in memory, hands exposes to the repaint
// and turns Qt's input into the layer's messages and events.
#include "platform/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "platform/display.h"
#include "platform/event_queue.h"
#include "platform/repaint.h"
#include "platform/state.h"

MainWindow::MainWindow() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Wayland gives a window no shape of its own: it is see-through outside the mask, and
    // so it is under XWayland too, where not every compositor cuts it to its X shape.
    if (OnNativeWayland() || OnXWayland()) {
        setAttribute(Qt::WA_TranslucentBackground);
    }
    setFocusPolicy(Qt::StrongFocus);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() != RepaintRequest) {
        return QWidget::event(event);
    }
    ServePostedRepaint();
    return true;
}

// Only the display server's own expose means the window was uncovered: Qt paints the
// window behind a button whenever the button repaints itself (hover, press, focus), and
// those paints must not reach the game.
void MainWindow::OnExpose(const QWindow& native) {
    if (native.isExposed()) {
        ServeExpose();
    }
}

// Installed on the window's QWindow, it sees the display server's exposes, and each mouse
// event goes on at the window pixel whose block the pointer is in: Qt divides the
// screen's pointer position by the scale and rounds it where it picks the widget under
// the pointer and where a button tests a hit, so on a HiDPI screen the last screen pixel
// of a button's edge missed it and the one beside it hit.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Expose:
            OnExpose(static_cast<const QWindow&>(*watched));
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            break;
        default:
            return QWidget::eventFilter(watched, event);
    }
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    const QPointF at = WholePixel(mouse.position());
    if (at == mouse.position()) {
        return false;
    }
    QMouseEvent whole(mouse.type(), at, at, mouse.globalPosition() + (at - mouse.position()),
                      mouse.button(), mouse.buttons(), mouse.modifiers(), mouse.pointingDevice());
    whole.setTimestamp(mouse.timestamp());
    QCoreApplication::sendEvent(watched, &whole);
    event->setAccepted(whole.isAccepted());
    return true;
}

void MainWindow::paintEvent(QPaintEvent* event) {
    PlatformState& state = State();
    QPainter painter(this);
    // On a HiDPI screen Qt scales the surface by a whole number: nearest neighbour keeps
    // each of its pixels one sharp block.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const bool translucent = testAttribute(Qt::WA_TranslucentBackground);
    if (translucent) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(event->rect(), Qt::transparent);
        painter.setClipRegion(state.shape.isEmpty() ? QRegion(rect()) : state.shape);
    }
    // An opaque window shows no alpha: the surface's pixels go as they are, without the
    // opaque copy that a translucent one needs.
    const QImage surface = state.surface.View();
    for (const QRect& area : event->region()) {
        if (translucent) {
            painter.drawImage(area.topLeft(), state.surface.Shown(area));
        } else {
            painter.drawImage(area.topLeft(), surface, area);
        }
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    ReportKey(*event);
    event->accept();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ReportLeftButtonDown(event->position().toPoint());
    }
}

// The window stays: the game decides what a close request means.
void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    ReportCloseOverRequester();
}
