// The drawing that is open, for the services that draw on it or end it.
#pragma once

#include <QRect>

#include "platform/picture.h"

Picture* OpenPicture();             // the open drawing's target, or null when nothing is open
void MarkDirty(const QRect& area);  // the open drawing changed these pixels
void CloseDrawing();
