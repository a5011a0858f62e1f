// The layer's program-wide state, gathered in one struct. Private to platform/ (and to its
// tests); the helpers that work on it are declared in headers of their own.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/font_entry.h"
#include "platform/picture.h"
#include "platform/platform.h"

class QDialog;
class QPushButton;
class QTimer;
class QWidget;
class TerminationWatch;

// A text as Qt rasterised it, white on transparent and whole, with its top-left corner
// given from the pen, and the columns of each row between its first and last inked pixel
// (left inclusive, right exclusive; empty where the row has none).
struct TextCoverage {
    struct Ink {
        int left, right;
    };
    QString text;
    FontEntry font;
    QPoint corner;
    QImage image;
    std::vector<Ink> ink;
};

struct DrawingState {
    bool open = false;
    Target target{Target::Kind::Image, 0};
    std::uint32_t frontRgb = 0;  // 0x00RRGGBB, like the pixels
    std::uint32_t textRgb = 0;
    QPoint pen;
    int mode = 0;
    FontEntry font;
    QRect dirty;            // what this opening changed on the window
    TextCoverage lastText;  // outlines and patterns draw one text many times over
};

struct NumberedImage {
    Handle handle = 0;
    // Shared with the window while it is the window's background. Drawing into it then
    // works on a copy of its own: the background keeps the picture it was given.
    std::shared_ptr<Picture> picture;
};

struct PlayArea {
    QPoint origin;  // in window coordinates
    Picture back;
    std::chrono::steady_clock::time_point lastPresent;
};

struct PlatformState {
    PlatformState();
    ~PlatformState();  // where the members' types are known
    PlatformState(const PlatformState&) = delete;
    PlatformState& operator=(const PlatformState&) = delete;

    Handle lastHandle = 0;
    std::map<int, NumberedImage> images;
    std::map<int, Picture> sprites;
    std::optional<PlayArea> playArea;

    std::unique_ptr<QWidget> window;
    Handle windowHandle = 0;
    Picture surface;  // what the window shows
    QRegion shape;    // the window's outline, once the skin has given it
    std::shared_ptr<const Picture> background;
    bool gadgetsOpen = false;
    // Declared after the window, so destroyed before it: the buttons are its children.
    std::map<int, std::unique_ptr<QPushButton>> buttons;

    std::map<Handle, FontEntry> fonts;
    DrawingState drawing;

    std::deque<Event> queue;
    std::unique_ptr<QTimer> timer;
    std::unique_ptr<TerminationWatch> terminationWatch;
    QDialog* requester = nullptr;  // the one open, which the window's input waits behind
    MessageHook hook;

    int pumpDepth = 0;     // inside WaitEvent, RepaintNow, a requester or a drag: the hook may run
    int tickDrops = 0;     // inside a requester or a drag: timer ticks are lost
    int repaintDepth = 0;  // inside the platform's repaint: presents only update the surface
    bool repaintPending = false;  // the window was exposed and waits for its repaint
    bool repaintPosted = false;
};

// The state, made on first use together with the Qt application it needs.
PlatformState& State();
// The state if it is there: null before the first use and after ShutdownPlatform.
PlatformState* ExistingState();
Handle NewHandle();
