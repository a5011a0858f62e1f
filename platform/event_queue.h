// The queue of events: the window's messages become events here once the hook let them
// go on.
#pragma once

#include <QPoint>

#include "platform/platform.h"

class QKeyEvent;

void PushEvent(const Event& event);
// A key press becomes the hook's message and, by default, an EvKeyDown.
void ReportKey(const QKeyEvent& event);
void ReportLeftButtonDown(QPoint inWindow);
// The window was asked to close: the hook sees it, then by default an EvClose waits.
void ReportClose();
// The same where a requester may be open: it is answered first as its "Ok" would be, so
// that a name being typed is kept.
void ReportCloseOverRequester();
bool CloseRequested();  // an EvClose waits in the queue
