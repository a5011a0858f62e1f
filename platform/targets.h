// What the game's targets and handles stand for.
#pragma once

#include "platform/picture.h"
#include "platform/platform.h"

Picture* TargetPicture(Target target);  // null when the target does not exist
Picture* ImageByHandle(Handle image);
bool IsMainWindow(Handle window);
