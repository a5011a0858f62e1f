// Everything drawn once at start-up, and the faces of the menu buttons.
#include "view/artwork.h"
#include "view/view.h"

// Later pictures copy earlier ones: the background holds both panels and the preview
// patch is cut out of the background.
void BuildStaticArtwork(Random& random) {
    BuildRankingBackdrop(random);
    BuildGamePanelImage(random);
    BuildBackgroundImage();
    BuildPreviewPatchImage();
    BuildBackdropSprite();
}

// Drawn from no random numbers, so whenever they are drawn they come out the same.
void BuildGameSprites() {
    BuildLostSprite();
    BuildCountdownSprites();
}

// A green face, bright at the top and dark at the bottom, with a black caption in the
// font drawing starts with.
Handle MakeButtonImage(int number, int width, int height, std::string_view caption) {
    constexpr int CaptionX = 10;  // pixels
    constexpr int CaptionY = 2;
    const Handle handle = NewImage(number, width, height);
    BeginDrawing(ImageTarget(number));
    const float step = 150.0f / static_cast<float>(height);
    for (int i = 0; i < height; ++i) {
        const int green = RoundToNearest(static_cast<float>(height - i) * step + 60.0f);
        DrawLine(0, i, width, 0, PackColour(0, green, 0));
    }
    SetDrawMode(1);
    MovePen(CaptionX, CaptionY);
    SetColour(0, 0, 0);
    DrawString(caption);
    EndDrawing();
    return handle;
}
