// The layer's program-wide state, gathered in one struct, and the helpers its files share.
// Private to platform/ (and to its tests).
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/picture.h"
#include "platform/platform.h"

class MainWindow;
class ImageButton;
class QWidget;

// A font and the character cell the game's text offsets assume: for a stand-in face, the
// cell of the Windows face it replaces.
struct FontEntry {
    QFont font;
    int ascent = 0;    // pixels from the cell's top down to the baseline
    int height = 0;    // pixels of the whole cell, ascent and descent
    double angle = 0;  // degrees, counter-clockwise
    int number = -1;   // -1 for a font made without a number (angled fonts)
};

struct DrawingState {
    bool open = false;
    Target target{Target::Kind::Image, 0};
    std::uint32_t frontRgb = 0;  // 0x00RRGGBB, like the pixels
    std::uint32_t textRgb = 0;
    QPoint pen;
    int mode = 0;
    FontEntry font;
    QRect dirty;  // what this opening changed, for the window's sake
};

struct NumberedImage {
    Handle handle = 0;
    Picture picture;
};

struct PlayArea {
    QPoint origin;  // in window coordinates
    Picture back;
    std::chrono::steady_clock::time_point lastPresent;
};

struct QueuedEvent {
    int kind = 0;
    int gadget = 0;
    int key = 0;
};

// From its making to its end, SIGTERM, SIGINT and SIGHUP are the window's close request.
class TerminationWatch {
  public:
    TerminationWatch();
    ~TerminationWatch();
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

  private:
    void OnSignalled();

    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

struct PlatformState {
    Handle lastHandle = 0;
    std::map<int, NumberedImage> images;
    std::map<int, Picture> sprites;
    std::optional<PlayArea> playArea;

    std::unique_ptr<MainWindow> window;
    Handle windowHandle = 0;
    Picture surface;  // what the window shows
    QRegion shape;    // the window's outline, once the skin has given it
    std::optional<Picture> background;
    bool gadgetsOpen = false;
    // Declared after the window, so destroyed before it: the buttons are its children.
    std::map<int, std::unique_ptr<ImageButton>> buttons;

    std::map<Handle, FontEntry> fonts;
    DrawingState drawing;

    std::deque<QueuedEvent> queue;
    int lastGadget = 0;
    int lastKey = 0;
    std::unique_ptr<QTimer> timer;
    std::unique_ptr<TerminationWatch> terminationWatch;
    MessageHook hook;

    int pumpDepth = 0;     // inside WaitEvent, RepaintNow, a requester or a drag: the hook may run
    int tickDrops = 0;     // inside a requester or a drag: timer ticks are lost
    int repaintDepth = 0;  // inside the platform's repaint: presents only update the surface
    bool repaintPending = false;  // the window was exposed and waits for its repaint
    bool repaintPosted = false;
};

// The state, made on first use together with the Qt application it needs.
PlatformState& State();
Handle NewHandle();
// True when a display can be opened (or Qt already runs on one).
bool DisplayAvailable();
// Makes the Qt application if there is none yet; without a display it runs off-screen.
void EnsureApplication();
// The whole-number scale for a device pixel ratio: its floor, and never below 1.
int WholeScale(double ratio);
// A scale variable of Qt's ("2.5", or "name=1.25;name=2;") with each number made whole.
std::string WholeScaleFactors(std::string_view factors);
// Before the Qt application is made: Qt shall scale the window by a whole number only.
void ChooseWholeScaling();
// Waits until the display server has shown what was sent to it.
void SyncWithDisplay();
// Qt runs on a Wayland compositor itself, not on an X server: the compositor places the
// window and moves it, and shapes it only by what is drawn transparent.
bool OnNativeWayland();
bool LeftButtonHeld();
// The pointer in the window's own pixels, each of them its whole block on a HiDPI screen.
QPoint PointerInWindow(QWidget& window);
// The pixel a logical position falls in.
QPoint WholePixel(QPointF at);
// Whether LeftButtonHeld asks the display server, which still knows while a window
// manager holds the pointer; else it knows only what Qt's events told.
bool ButtonsReadFromServer();

bool IsMainWindow(Handle window);
// Where a window of this size stands centred on the primary screen.
QPoint CentredOnScreen(QSize size);

Picture* TargetPicture(Target target);
Picture* OpenPicture();             // the open drawing's target, or null when nothing is open
void MarkDirty(const QRect& area);  // the open drawing changed these pixels
Picture* ImageByHandle(Handle image);

QString FromWindows1252(std::string_view text);
std::string ToWindows1252(const QString& text);

// Reads the system's font configuration and caches, which the first text would otherwise
// wait for: meant for a thread of its own while the display is reached.
void WarmFonts();
FontEntry StockFont();
int TextWidth(const QFontMetrics& metrics, const QString& text);
// Draws text with its cell's top-left corner at `at`, turned counter-clockwise by the
// font's angle; opaque adds the white box behind it. Returns the touched area.
QRect PaintText(Picture& target, QPoint at, const QString& text, const FontEntry& font,
                std::uint32_t rgb, bool opaque);

std::uint32_t CallHook(std::uint32_t message, std::intptr_t first, std::intptr_t second);
void PushEvent(const QueuedEvent& event);
// The window was asked to close: the hook sees it, then by default an EvClose waits.
void ReportClose();
bool CloseRequested();  // an EvClose waits in the queue
// Puts `area` of the surface on screen now, unless a repaint is under way (it shows the
// whole surface when it ends).
void ShowSurface(const QRect& area);
void RunRepaint();
void RequestRepaint();  // the window was exposed: repaint at the next chance
void ServePendingRepaint();
void CloseDrawing();

// Scopes in which window messages are handled: the hook may run, and in requesters and
// drags timer ticks are dropped.
struct MessageScope {
    explicit MessageScope(bool dropTicks = false);
    ~MessageScope();
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

  private:
    bool dropTicks_;
};

// Windows message numbers the hook sees.
constexpr std::uint32_t MsgClose = 0x10;
constexpr std::uint32_t MsgKeyDown = 0x100;
constexpr std::uint32_t MsgCommand = 0x111;
constexpr std::uint32_t MsgTimer = 0x113;
constexpr std::uint32_t MsgLeftButtonDown = 0x201;
