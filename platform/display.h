// Reaching the display, and the few questions about it that Qt does not answer.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>

class QWidget;

// True when a display can be opened (or Qt already runs on one).
bool DisplayAvailable();
// Makes the Qt application if there is none yet; without a display it runs off-screen.
void EnsureApplication();
// Waits until the display server has shown what was sent to it.
void SyncWithDisplay();
// Qt runs on a Wayland compositor itself, not on an X server: the compositor places the
// window and moves it, and shapes it only by what is drawn transparent.
bool OnNativeWayland();
// Qt runs on an X server that a Wayland compositor serves, some of which (sway) ignore the
// window's X shape.
bool OnXWayland();
bool LeftButtonHeld();
// Whether LeftButtonHeld asks the display server, which still knows while a window
// manager holds the pointer; else it knows only what Qt's events told.
bool ButtonsReadFromServer();
// The pointer in the window's own pixels, each of them its whole block on a HiDPI screen.
QPoint PointerInWindow(QWidget& window);
// The pixel a logical position falls in.
QPoint WholePixel(QPointF at);
// Where a window of this size stands centred on the primary screen.
QPoint CentredOnScreen(QSize size);
