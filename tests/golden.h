// Pictures against the PNGs kept in tests/golden. A golden changes only on purpose: with
// QUICKSTACK_REGENERATE_GOLDENS set (scripts/regenerate-goldens), what is drawn now is
// written over it instead.
#pragma once

#include <string>

#include "platform/platform.h"

// The whole target, or the width × height rectangle of it at (x, y).
void ExpectLikeGolden(const std::string& name, Target target);
void ExpectLikeGolden(const std::string& name, Target target, int x, int y, int width, int height);
