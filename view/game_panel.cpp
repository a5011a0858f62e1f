// The values of the game panel: the chrono and the points, over the empty panel.
#include <string>

#include "view/view.h"

namespace {

constexpr int ChronoX = 59;
constexpr int ChronoY = 254;
constexpr int PointsBoxX = 55;
constexpr int PointsBoxWidth = 110;
constexpr int PointsY = 345;
constexpr int ValueFontSize = 20;  // points

// Halves rounded down, also for a text wider than the box.
int FloorHalf(int value) {
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

}  // namespace

void DrawGamePanel(GameState& state) {
    ReadChrono(state, TickCount());
    BeginDrawing(WindowTarget());
    BlitImage(ImageHandle(GamePanelImage), GamePanel.x, GamePanel.y);
    SetDrawMode(1);
    SelectFont(OpenFont(0, "Times New Roman", ValueFontSize, FontBold));
    SetColour(32, 32, 32);
    MovePen(ChronoX, ChronoY);
    DrawString(TimeText(ChronoValue(state)));
    const std::string points = std::to_string(state.Score);
    MovePen(PointsBoxX + FloorHalf(PointsBoxWidth - MeasureText(points)), PointsY);
    DrawString(points);
    EndDrawing();
}
