// The main window as the game opens and dresses it: its place, outline, background and
// icon.
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QPushButton>
#include <QWindow>

#include "platform/display.h"
#include "platform/drawing.h"
#include "platform/main_window.h"
#include "platform/repaint.h"
#include "platform/state.h"
#include "platform/targets.h"
#include "platform/termination.h"
#include "platform/windows1252.h"

namespace {

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
    QWidget& window = *state.window;
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
    state.surface = Picture(width, height);
    EraseSurface();
    state.windowHandle = NewHandle();
    if (!state.terminationWatch) {
        state.terminationWatch = std::make_unique<TerminationWatch>();
    }
    // Made and watched before it is shown, so that no expose can come before the watch.
    static_cast<void>(window.winId());
    if (QWindow* native = window.windowHandle()) {
        native->installEventFilter(&window);
    }
    window.show();
    window.activateWindow();
    return state.windowHandle;
}

// The project's icon is compiled into the layer, so it shows before anything is installed.
void SetWindowIcon(Handle window) {
    if (IsMainWindow(window)) {
        // The built-in reader of its format alone: finding a reader by trying every image
        // plugin would load them all.
        QImageReader reader(QStringLiteral(":/quickstack/icon.png"), "png");
        reader.setAutoDetectImageFormat(false);
        State().window->setWindowIcon(QPixmap::fromImage(reader.read()));
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
    state.background = SharedImage(image);
    EraseSurface();
    ShowSurface(state.surface.Bounds());
}
