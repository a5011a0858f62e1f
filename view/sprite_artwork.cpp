// The play area's own pictures: its lavender backdrop, "PERDU" and the count-down digits.
#include <string>
#include <string_view>

#include "view/artwork.h"
#include "view/view.h"

namespace {

constexpr int LostWidth = 280;
constexpr int LostHeight = 80;
constexpr int DigitWidth = 170;
constexpr int DigitHeight = 256;
constexpr int Digits = 5;
constexpr std::int32_t OutlineWord = 0x202020;  // the dark outline, (32, 32, 32)
constexpr std::uint32_t Yellow = 0xFFFF00;      // 0x00RRGGBB

// A dark outline of the text at the four diagonal neighbours of (x, y), then its face.
void DrawOutlinedText(std::string_view text, int x, int y, int spread) {
    SetDrawMode(1);
    SetColour(32, 32, 32);
    for (const int dy : {-spread, spread}) {
        for (const int dx : {-spread, spread}) {
            MovePen(x + dx, y + dy);
            DrawString(text);
        }
    }
    SetColour(255, 255, 255);
    MovePen(x, y);
    DrawString(text);
}

// Recolours the open sprite; sprite memory may be missing, and is then left alone.
void RecolourOpenSprite(int width, int height, std::uint32_t perRow) {
    if (std::uint32_t* pixels = PixelBuffer()) {
        RecolourText(pixels, width, height, Yellow, perRow);
    }
}

void DrawNamePattern() {
    constexpr int Rows = 13;
    constexpr int RowStep = 60;       // pixels between the starts of two pairs of lines
    constexpr int SecondLineX = -30;  // the second line of a pair, shifted left and down
    constexpr int SecondLineY = 48;
    constexpr std::string_view Pattern = "QUICKSTACK  QUICKSTACK  QUICK";
    for (int i = 0; i < Rows * RowStep; i += RowStep) {
        MovePen(0, i);
        DrawString(Pattern);
        MovePen(SecondLineX, i + SecondLineY);
        DrawString(Pattern);
    }
}

}  // namespace

void RecolourText(std::uint32_t* pixels, int width, int height, std::uint32_t firstRow,
                  std::uint32_t perRow) {
    for (int y = 0; y < height; ++y) {
        const std::uint32_t colour = firstRow - perRow * static_cast<std::uint32_t>(y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t& word = pixels[y * width + x];
            if (static_cast<std::int32_t>(word) > OutlineWord) {
                word = colour;
            }
        }
    }
}

void BuildBackdropSprite() {
    NewSprite(BackdropSprite, PlayArea.width, PlayArea.height);
    BeginDrawing(SpriteTarget(BackdropSprite));
    DrawBox(0, 0, PlayArea.width, PlayArea.height, PackColour(160, 160, 224));
    SetDrawMode(1);
    SetTextColour(PackColour(176, 176, 240));
    const Handle font = OpenAngledFont("Arial", 24, 300, 700);  // rising at 30°, bold
    SelectFont(font);
    DrawNamePattern();
    RaisedBevel(0, 0, PlayArea.width - 1, PlayArea.height - 1);
    RaisedBevel(1, 1, PlayArea.width - 3, PlayArea.height - 3);
    FreeFont(font);
    EndDrawing();
}

void BuildLostSprite() {
    NewSprite(LostSprite, LostWidth, LostHeight);
    BeginDrawing(SpriteTarget(LostSprite));
    SelectFont(OpenFont(0, "Comic Sans MS", 64, FontBold));
    DrawOutlinedText("PERDU", 0, -25, 2);
    RecolourOpenSprite(LostWidth, LostHeight, 0x300);  // green falls by 3 per row
    EndDrawing();
}

void BuildCountdownSprites() {
    for (int k = 0; k < Digits; ++k) {
        const int number = CountdownSprite + k;
        NewSprite(number, DigitWidth, DigitHeight);
        BeginDrawing(SpriteTarget(number));
        SelectFont(OpenFont(0, "Comic Sans MS", 200, FontBold));
        DrawOutlinedText(std::to_string(k + 1), 2, -75, 2);
        RecolourOpenSprite(DigitWidth, DigitHeight, 0x100);  // green falls by 1 per row
        EndDrawing();
    }
}
