// What the game's targets and handles stand for.
#pragma once

#include "platform/picture.h"
#include "platform/platform.h"

// Null when the target does not exist. An image shared with the window's background is
// copied first, so that it can be drawn into.
Picture* TargetPicture(Target target);
const Picture* ReadPicture(Target target);  // shares, copies nothing
const Picture* ImageByHandle(Handle image);
std::shared_ptr<const Picture> SharedImage(Handle image);
bool IsMainWindow(Handle window);
