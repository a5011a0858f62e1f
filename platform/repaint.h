// The platform's repaint of the main window: erase with the background, then the hook.
#pragma once

#include <QEvent>
#include <QRect>

// What the window posts itself when an expose asks for a repaint.
constexpr QEvent::Type RepaintRequest = QEvent::Type(QEvent::User + 15);

void EraseSurface();  // with the window's background, or the button-face grey
void RunRepaint();
void RequestRepaint();  // the window was exposed: repaint at the next chance
void ServeExpose();     // the display server exposed the window: now, if messages are handled
void ServePendingRepaint();
void ServePostedRepaint();  // the window's posted RepaintRequest came
// Puts `area` of the surface on screen now, unless a repaint is under way (it shows the
// whole surface when it ends).
void ShowSurface(const QRect& area);
