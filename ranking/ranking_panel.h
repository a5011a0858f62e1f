// The ranking panel beside the play area: its own library, which draws through the
// platform layer while the rest of the rankings builds and tests without it.
#pragma once

#include "ranking/ranking.h"

// Draws the ranking of the mode into the main window, beside the play area. Lines that
// would fall below the window are not drawn.
void DrawRankingPanel(const Rankings& rankings, int gameMode);
