// The main window: a surface in memory that the widget shows, the platform's repaint
// (erase with the background, then the hook), the window's shape and the message hook.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "platform/platform_state.h"
#include "platform/widgets.h"

namespace {

constexpr std::uint32_t DefaultBackground = 0xF0F0F0;  // the button-face grey

void EraseSurface() {
    PlatformState& state = State();
    if (state.background) {
        state.surface.Tile(*state.background);
    } else {
        state.surface.Fill(state.surface.Bounds(), DefaultBackground);
    }
}

QRegion RegionOf(const RoundRect& shape) {
    QList<QRect> rects;
    for (const Run& run : RoundRectRuns(shape.left, shape.top, shape.right, shape.bottom,
                                        shape.ellipseWidth, shape.ellipseHeight)) {
        const QRect row(run.left, run.y, run.right - run.left, 1);
        // Rows of equal extent merge into one band; bands stay sorted and disjoint.
        if (!rects.isEmpty() && rects.last().left() == row.left() &&
            rects.last().right() == row.right() && rects.last().bottom() + 1 == row.top()) {
            rects.last().setBottom(row.bottom());
        } else {
            rects.append(row);
        }
    }
    QRegion region;
    region.setRects(rects.constData(), static_cast<int>(rects.size()));
    return region;
}

}  // namespace

bool IsMainWindow(Handle window) {
    const PlatformState& state = State();
    return state.window && window != 0 && window == state.windowHandle;
}

QPoint CentredOnScreen(QSize size) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int left = screen.width() / 2 - std::min(size.width(), screen.width()) / 2;
    const int top = screen.height() / 2 - std::min(size.height(), screen.height()) / 2;
    return screen.topLeft() + QPoint(left, top);
}

MainWindow::MainWindow() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Wayland gives a window no shape of its own: it is see-through outside the mask.
    if (OnNativeWayland()) {
        setAttribute(Qt::WA_TranslucentBackground);
    }
    setFocusPolicy(Qt::StrongFocus);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() != RepaintRequest) {
        return QWidget::event(event);
    }
    PlatformState& state = State();
    state.repaintPosted = false;
    // Outside the calls that handle messages the request waits for the next of them.
    if (state.pumpDepth > 0) {
        ServePendingRepaint();
    }
    return true;
}

// Only the display server's own expose means the window was uncovered: Qt paints the
// window behind a button whenever the button repaints itself (hover, press, focus), and
// those paints must not reach the game.
void MainWindow::OnExpose(const QWindow& native) {
    if (native.isExposed()) {
        RequestRepaint();
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
    if (testAttribute(Qt::WA_TranslucentBackground)) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(event->rect(), Qt::transparent);
        painter.setClipRegion(state.shape.isEmpty() ? QRegion(rect()) : state.shape);
    }
    for (const QRect& area : event->region()) {
        painter.drawImage(area.topLeft(), state.surface.Shown(area));
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
    ReportClose();
}

Handle OpenMainWindow(int /*number*/, int x, int y, int width, int height, std::uint32_t flags,
                      std::string_view title) {
    PlatformState& state = State();
    if (state.drawing.target.kind == Target::Kind::Window) {
        CloseDrawing();
    }
    state.buttons.clear();
    state.window.reset();
    state.windowHandle = 0;
    state.shape = QRegion();
    state.playArea.reset();
    state.background.reset();
    if (width <= 0 || height <= 0) {
        return 0;
    }
    state.window = std::make_unique<MainWindow>();
    MainWindow& window = *state.window;
    Qt::WindowFlags windowFlags = Qt::Window;
    if ((flags & WindowBorderless) != 0) {
        windowFlags |= Qt::FramelessWindowHint;
    }
    window.setWindowFlags(windowFlags);
    window.setWindowTitle(FromWindows1252(title));
    window.setAccessibleName(FromWindows1252(title));
    const QSize size(width, height);
    window.setFixedSize(size);
    window.setGeometry(
        QRect((flags & WindowCentred) != 0 ? CentredOnScreen(size) : QPoint(x, y), size));
    state.surface = Picture(width, height, DefaultBackground);
    state.windowHandle = NewHandle();
    if (!state.terminationWatch) {
        state.terminationWatch = std::make_unique<TerminationWatch>();
    }
    window.show();
    if (QWindow* native = window.windowHandle()) {
        native->installEventFilter(&window);
    }
    window.activateWindow();
    return state.windowHandle;
}

// The project's icon is compiled into the layer, so it shows before anything is installed.
void SetWindowIcon(Handle window) {
    if (IsMainWindow(window)) {
        State().window->setWindowIcon(QIcon(QStringLiteral(":/quickstack/icon.png")));
    }
}

Target WindowTarget() {
    return {Target::Kind::Window, 0};
}

void SetWindowShape(Handle window, const RoundRect& first, const RoundRect& second) {
    if (!IsMainWindow(window)) {
        return;
    }
    PlatformState& state = State();
    const QRegion shape = RegionOf(first).united(RegionOf(second));
    if (shape == state.shape) {
        return;
    }
    state.shape = shape;
    // A widget's mask also clips its painting, which on native Wayland would leave the
    // first, unshaped picture outside the shape: there the window takes the shape only for
    // the pointer, and is painted transparent outside it.
    QWindow* native = state.window->windowHandle();
    if (OnNativeWayland() && native != nullptr) {
        native->setMask(shape);
    } else {
        state.window->setMask(shape);
    }
}

// Erases the window with the new background now, so that a repaint that sets it draws
// its contents over it, and nothing asks for another repaint.
void SetWindowBackground(Handle window, Handle image) {
    if (!IsMainWindow(window)) {
        return;
    }
    PlatformState& state = State();
    const Picture* picture = ImageByHandle(image);
    state.background.reset();
    if (picture != nullptr) {
        state.background = *picture;
    }
    EraseSurface();
    ShowSurface(state.surface.Bounds());
}

void SetMessageHook(MessageHook hook) {
    State().hook = std::move(hook);
}

std::uint32_t CallHook(std::uint32_t message, std::intptr_t first, std::intptr_t second) {
    PlatformState& state = State();
    if (!state.hook) {
        return HookDefault;
    }
    const MessageHook hook = state.hook;  // the hook may replace itself
    return hook(state.windowHandle, message, first, second);
}

void RepaintNow(Handle window) {
    if (!IsMainWindow(window)) {
        return;
    }
    MessageScope scope;
    RunRepaint();
}

void RunRepaint() {
    PlatformState& state = State();
    if (!state.window) {
        return;
    }
    state.repaintPending = false;
    ++state.repaintDepth;
    EraseSurface();
    CallHook(MsgRepaint, 0, 0);
    --state.repaintDepth;
    ShowSurface(state.surface.Bounds());
}

void RequestRepaint() {
    PlatformState& state = State();
    state.repaintPending = true;
    if (state.window && !state.repaintPosted) {
        state.repaintPosted = true;
        // Qt takes ownership of posted events.
        QCoreApplication::postEvent(state.window.get(), new QEvent(MainWindow::RepaintRequest));
    }
}

void ServePendingRepaint() {
    if (State().repaintPending) {
        RunRepaint();
    }
}

void ShowSurface(const QRect& area) {
    PlatformState& state = State();
    const QRect shown = area & state.surface.Bounds();
    if (!state.window || !state.window->isVisible() || state.repaintDepth > 0 || shown.isEmpty()) {
        return;
    }
    state.window->repaint(shown);
    SyncWithDisplay();
}
