#include <algorithm>

#include "core/core.h"
#include "platform/platform.h"
#include "ranking/panel_text.h"
#include "ranking/ranking_panel.h"
#include "view/screen.h"

namespace {

constexpr int FontSize = 12;     // points
constexpr int FirstLineY = 120;  // window pixels
constexpr int LineSpacing = 20;  // pixels
constexpr int PlaceX = 555;
constexpr int NameX = 585;
constexpr int TimeX = 680;
constexpr int SprintNameX = 605;  // inside the box at the bottom of the panel
constexpr int EnduranceNameX = 590;
constexpr int ModeNameY = 527;
// Lines from this index on start below the window and would show nothing.
constexpr std::size_t VisibleLines = (Window.height - FirstLineY + LineSpacing - 1) / LineSpacing;

void DrawText(int x, int y, std::string_view text) {
    MovePen(x, y);
    DrawString(text);
}

void DrawRankingLine(const RankingEntry& entry, int index) {
    const int y = FirstLineY + LineSpacing * index;
    DrawText(PlaceX, y, PlaceText(index + 1));
    DrawText(NameX, y, FittedName(entry, [](std::string_view text) { return MeasureText(text); }));
    DrawText(TimeX, y, TimeText(entry.timeMs));
}

}  // namespace

void DrawRankingPanel(const Rankings& rankings, int gameMode) {
    BeginDrawing(WindowTarget());
    BlitImage(ImageHandle(RankingBackdrop), RankingPanel.x, RankingPanel.y);
    SelectFont(OpenFont(0, "Arial", FontSize, FontBold));
    SetDrawMode(1);
    SetColour(32, 32, 32);
    const std::vector<RankingEntry>& ranking = CurrentRanking(rankings, gameMode);
    const std::size_t lines = std::min(ranking.size(), VisibleLines);
    for (std::size_t i = 0; i < lines; ++i) {
        DrawRankingLine(ranking[i], static_cast<int>(i));
    }
    SetColour(64, 32, 32);
    if (gameMode != 0) {
        DrawText(EnduranceNameX, ModeNameY, "Mode endurance");
    } else {
        DrawText(SprintNameX, ModeNameY, "Mode sprint");
    }
    EndDrawing();
}
