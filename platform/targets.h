// The pictures behind drawing targets and image handles.
#pragma once

#include "platform/picture.h"
#include "platform/platform.h"

Picture* TargetPicture(Target target);  // null when the target does not exist
Picture* ImageByHandle(Handle image);
