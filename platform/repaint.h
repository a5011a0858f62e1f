// The platform's repaint of the main window: erase with the background, then the hook.
#pragma once

#include <QRect>

void EraseSurface();  // with the window's background, or the button-face grey
void RunRepaint();
void RequestRepaint();  // the window was exposed: repaint at the next chance
void ServePendingRepaint();
// Puts `area` of the surface on screen now, unless a repaint is under way (it shows the
// whole surface when it ends).
void ShowSurface(const QRect& area);
