// Reaching the display: whether there is one, and the few questions Qt does not answer.
#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/display.h"
#include "platform/fonts.h"
#include "platform/platform.h"
#include "platform/screen_scale.h"

#include <xcb/xcb.h>

#include <memory>

namespace {

bool g_forcedOffscreen = false;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Qt's own connection to the X server, when Qt runs on one.
xcb_connection_t* QtConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

using PointerReply = std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)>;

PointerReply QueryPointer(xcb_connection_t* connection, xcb_window_t window) {
    return {xcb_query_pointer_reply(connection, xcb_query_pointer(connection, window), nullptr),
            &std::free};
}

bool XServerReachable() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

// Where an X server is reachable (XWayland included) the game runs on it, so that it can
// place, shape and move its window itself; a player's own QT_QPA_PLATFORM comes first.
std::string FindDisplayProblem() {
    const std::string platform = Environment("QT_QPA_PLATFORM");
    const std::string x = Environment("DISPLAY");
    if (!platform.empty() && platform != "xcb") {
        return "";
    }
    if (!x.empty() && XServerReachable()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        return "";
    }
    if (platform.empty() && !Environment("WAYLAND_DISPLAY").empty()) {
        return "";
    }
    if (x.empty()) {
        return "no display to open: neither DISPLAY nor WAYLAND_DISPLAY is set";
    }
    return "cannot open the X display \"" + x + "\"";
}

}  // namespace

// Asked once: a bare X server resets when its last client leaves, so a second probe
// could fall in that reset and wrongly find no display.
std::string DisplayProblem() {
    static const std::string problem = [] {
        ChooseWholeScaling();
        return FindDisplayProblem();
    }();
    return problem;
}

bool DisplayAvailable() {
    if (QCoreApplication::instance() != nullptr) {
        return !g_forcedOffscreen;
    }
    return DisplayProblem().empty();
}

namespace {

std::unique_ptr<QApplication> g_application;

// Qt ends the process with exit(1) from inside its event loop when the display goes
// away; destroying the application then would crash, so it is left to the system (and
// stays reachable, so that no leak checker takes it for lost).
QApplication* g_leftApplication = nullptr;
void LeaveApplicationToTheSystem() {
    g_leftApplication = g_application.release();
}

// Qt aborts the process when its platform cannot start; the layer would rather say so
// from InitPlayAreaSystem and keep every other service usable off-screen.
void MakeApplication(int& argc, char** argv) {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (!DisplayAvailable()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        g_forcedOffscreen = true;
    }
    g_application = std::make_unique<QApplication>(argc, argv);
    [[maybe_unused]] static const int registered = std::atexit(&LeaveApplicationToTheSystem);
}

}  // namespace

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "quickstack";
    static char* argv[] = {name, nullptr};
    MakeApplication(argc, argv);
}

void StartPlatform(int& argc, char** argv, std::string_view desktopId) {
    {
        // Read while Qt reaches the display, and done before the first text.
        const std::jthread fonts(WarmFonts);
        MakeApplication(argc, argv);
    }
    // The desktop's accessibility bridge starts a thread of its own when first asked for.
    // Asked now, before the program loads libraries beside the main thread: a new thread
    // waits for any library another thread is loading, which at the window's first
    // showing held it back up to 15 ms.
    static_cast<void>(QAccessible::isActive());
    const QString id =
        QString::fromUtf8(desktopId.data(), static_cast<qsizetype>(desktopId.size()));
    // Qt 6.4 takes the X11 class from the application's name, not the desktop file's.
    QCoreApplication::setApplicationName(id);
    QGuiApplication::setDesktopFileName(id);
}

void SyncWithDisplay() {
    // A round trip: the server has handled every request sent before it.
    if (xcb_connection_t* connection = QtConnection()) {
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
}

// Xwayland names its outputs XWAYLAND0, XWAYLAND1 and so on.
bool OnXWayland() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return QtConnection() != nullptr && screen != nullptr &&
           screen->name().startsWith(QLatin1String("XWAYLAND"));
}

bool OnNativeWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool ButtonsReadFromServer() {
    return QtConnection() != nullptr;
}

bool LeftButtonHeld() {
    // The window manager holds the pointer during a system move, so Qt hears no release:
    // ask the server.
    if (xcb_connection_t* connection = QtConnection()) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const PointerReply pointer = QueryPointer(connection, screen->root);
        return pointer && (pointer->mask & XCB_BUTTON_MASK_1) != 0;
    }
    return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
}

// Qt rounds the pointer to its nearest logical pixel, which on a HiDPI screen takes the
// last row of a pixel's block for the next pixel. The server's position, divided down,
// keeps the whole block one pixel.
QPoint PointerInWindow(QWidget& window) {
    if (xcb_connection_t* connection = QtConnection()) {
        const PointerReply pointer =
            QueryPointer(connection, static_cast<xcb_window_t>(window.winId()));
        if (pointer && pointer->same_screen) {
            return WholePixel(QPointF(pointer->win_x, pointer->win_y) / window.devicePixelRatioF());
        }
    }
    return window.mapFromGlobal(QCursor::pos());
}

QPoint WholePixel(QPointF at) {
    return QPoint(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
}

QPoint CentredOnScreen(QSize size) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int left = screen.width() / 2 - std::min(size.width(), screen.width()) / 2;
    const int top = screen.height() / 2 - std::min(size.height(), screen.height()) / 2;
    return screen.topLeft() + QPoint(left, top);
}
