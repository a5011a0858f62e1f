// The window's background: title band, dark blue body with its grid, title and credit,
// and both empty panels in their places; and the patch under the next-piece preview.
#include "view/artwork.h"
#include "view/view.h"

namespace {

constexpr int BandLastRow = 45;  // row 0 stays black
constexpr int BodyFirstRow = 46;
constexpr int GridStep = 10;  // pixels between grid lines

void DrawTitleBand() {
    for (int i = 1; i <= BandLastRow; ++i) {
        const int green = RoundToNearest(100 + i * 10 / 3.0);
        DrawLine(0, i, Window.width, 0, PackColour(64, green, 64));
    }
}

// Fades from dark blue under the band to nearly black at the bottom.
void DrawBody() {
    for (int i = BodyFirstRow; i < Window.height; ++i) {
        const double f = i * 150.0 / Window.height;
        const int red = RoundToNearest(80 - f / 2);
        const int blue = RoundToNearest(160 - f);
        DrawLine(0, i, Window.width, 0, PackColour(red, red, blue));
    }
}

void DrawGrid() {
    SetColour(0, 0, 0);
    for (int i = BodyFirstRow; i < Window.height; i += GridStep) {
        DrawLine(0, i, Window.width, 0);
    }
    for (int x = 0; x < Window.width; x += GridStep) {
        DrawLine(x, BodyFirstRow, 0, Window.height);
    }
}

void DrawTitleAndCredit() {
    SetDrawMode(1);
    SelectFont(OpenFont(0, "Arial", 24, FontBold));
    SetColour(32, 32, 32);
    MovePen(275, 5);
    DrawString("QUICKSTACK");
    SetColour(255, 255, 0);
    MovePen(270, 0);
    DrawString("QUICKSTACK");
    SelectFont(OpenFont(0, "Comic Sans MS", 12));
    SetColour(150, 150, 250);
    MovePen(540, 565);
    DrawString("Programme Quorvelin");
}

}  // namespace

void BuildBackgroundImage() {
    NewImage(BackgroundImage, Window.width, Window.height);
    BeginDrawing(ImageTarget(BackgroundImage));
    DrawTitleBand();
    DrawBody();
    DrawGrid();
    DrawTitleAndCredit();
    BlitImage(ImageHandle(GamePanelImage), GamePanel.x, GamePanel.y);
    BlitImage(ImageHandle(RankingBackdrop), RankingPanel.x, RankingPanel.y);
    EndDrawing();
}

void BuildPreviewPatchImage() {
    CopyImageRegion(BackgroundImage, PreviewPatchImage, Preview.x, Preview.y, Preview.width,
                    Preview.height);
}
