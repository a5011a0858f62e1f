// The main window as the other services ask about it.
#pragma once

#include <QPoint>
#include <QSize>

#include "platform/platform.h"

bool IsMainWindow(Handle window);
// Where a window of this size stands centred on the primary screen.
QPoint CentredOnScreen(QSize size);
