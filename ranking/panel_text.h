// The texts of one line of the ranking panel, apart from the drawing.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ranking/ranking.h"

// Exactly two characters, "01" to "99"; a longer number keeps its first two digits.
std::string PlaceText(int place);

// The name's non-zero bytes, up to and including the first one that takes the text,
// as `measure` reports its width, past 80 pixels.
std::string FittedName(const RankingEntry& entry,
                       const std::function<int(std::string_view)>& measure);
