// The two empty panels: the ranking panel's backdrop and the game panel with its boxes.
#include <initializer_list>
#include <string_view>

#include "view/artwork.h"
#include "view/view.h"

namespace {

constexpr std::int32_t ValueBoxColour = PackColour(100, 160, 100);

struct Label {
    std::string_view text;
    int x, y;
};

// All shadows first, then all faces over them.
void DrawLabels(std::initializer_list<Label> labels) {
    constexpr int ShadowOffset = 2;  // pixels right and down
    SetColour(50, 50, 50);
    for (const Label& label : labels) {
        MovePen(label.x + ShadowOffset, label.y + ShadowOffset);
        DrawString(label.text);
    }
    SetColour(250, 250, 250);
    for (const Label& label : labels) {
        MovePen(label.x, label.y);
        DrawString(label.text);
    }
}

// A riveted box holding a sunken green field, where the panel's values are written.
void DrawValueBox(int y) {
    RivetedFrame(10, y, 130, 60);
    DrawBox(20, y + 10, 110, 40, ValueBoxColour);
    SunkenBevel(20, y + 10, 110, 40);
}

}  // namespace

void TextureFill(int width, int height, Random& random) {
    for (int y = 0; y < height; y += 2) {
        for (int x = 0; x < width; ++x) {
            const int c = random.RandomUpTo(30) + 150;
            PutPixel(x, y, PackColour(c, c, c));
        }
        for (int x = 0; x < width; ++x) {
            const int c = random.RandomUpTo(30) + 120;
            PutPixel(x, y + 1, PackColour(c, c, c + 30));
        }
    }
}

void BuildRankingBackdrop(Random& random) {
    NewImage(RankingBackdrop, RankingPanel.width, RankingPanel.height);
    BeginDrawing(ImageTarget(RankingBackdrop));
    TextureFill(RankingPanel.width, RankingPanel.height, random);
    SetDrawMode(1);
    SelectFont(OpenFont(0, "Comic Sans MS", 18, FontBold));
    DrawLabels({{"CLASSEMENT", 25, 10}});
    // The outer frame is given the full size: its dark edges fall just outside.
    RivetedFrame(0, 0, RankingPanel.width, RankingPanel.height);
    RivetedFrame(15, 10, 190, 40);
    RivetedFrame(15, 460, 190, 30);
    EndDrawing();
}

void BuildGamePanelImage(Random& random) {
    NewImage(GamePanelImage, GamePanel.width, GamePanel.height);
    BeginDrawing(ImageTarget(GamePanelImage));
    TextureFill(GamePanel.width, GamePanel.height, random);
    RivetedFrame(0, 0, GamePanel.width, GamePanel.height);
    DrawValueBox(30);
    DrawValueBox(120);
    SetDrawMode(1);
    SelectFont(OpenFont(0, "Comic Sans MS", 12));
    DrawLabels({{"Chrono", 50, 5}, {"Points", 50, 95}});
    EndDrawing();
}
