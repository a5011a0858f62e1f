// Opens the game's window on a real X server, lets the first repaint give it its shape
// and background, then presents a known frame and blocks, as the game does in its pauses.
// Afterwards it drags the window when the band is pressed. platform_window_e2e.sh drives
// it and reads the screen; the files it writes say how far it got.
#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace {

constexpr std::int32_t Band = PackColour(0, 160, 0);
constexpr std::int32_t Body = PackColour(32, 48, 64);
constexpr std::int32_t Preview = PackColour(255, 255, 0);

void Touch(const std::string& path) {
    if (std::FILE* file = std::fopen(path.c_str(), "w")) {
        std::fclose(file);
    }
}

void Fill(Target target, int width, int height, std::int32_t colour) {
    BeginDrawing(target);
    DrawBox(0, 0, width, height, colour);
    EndDrawing();
}

// The presented frame: red, green, blue and white quarters.
void ComposeQuarters() {
    NewSprite(2, 320, 535);
    BeginDrawing(SpriteTarget(2));
    DrawBox(0, 0, 160, 267, PackColour(255, 0, 0));
    DrawBox(160, 0, 160, 267, PackColour(0, 255, 0));
    DrawBox(0, 267, 160, 268, PackColour(0, 0, 255));
    DrawBox(160, 267, 160, 268, PackColour(255, 255, 255));
    EndDrawing();
    ShowSprite(2, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !InitPlayAreaSystem()) {
        return 3;
    }
    const std::string folder = argv[1];
    const Handle window =
        OpenMainWindow(0, 0, 0, 800, 600, WindowBorderless | WindowCentred, "Quickstack");
    OpenPlayArea(window, 200, 55, 320, 535);
    NewImage(13, 800, 600);
    Fill(ImageTarget(13), 800, 600, Body);
    BeginDrawing(ImageTarget(13));
    DrawBox(0, 0, 800, 50, Band);
    EndDrawing();
    NewSprite(14, 320, 535);
    Fill(SpriteTarget(14), 320, 535, PackColour(128, 128, 128));

    int repaints = 0;
    SetMessageHook([&](Handle w, std::uint32_t message, std::intptr_t, std::intptr_t) {
        if (message == MsgRepaint) {
            ++repaints;
            SetWindowShape(w, {0, 0, 800, 50, 50, 50}, {20, 0, 780, 600, 50, 50});
            SetWindowBackground(w, ImageHandle(13));
            ShowSprite(14, 0, 0);
            PresentPlayArea();
            BeginDrawing(WindowTarget());
            DrawBox(80, 450, 80, 80, Preview);
            EndDrawing();
        }
        return HookDefault;
    });
    StartTimer(window, 50);
    for (int ticks = 0; repaints == 0 || ticks < 4;) {
        const int kind = WaitEvent().kind;
        ticks += kind == EvTimer ? 1 : 0;
    }

    ComposeQuarters();
    PresentPlayArea();
    Touch(folder + "/presented");
    Pause(3000);  // no message is handled now: the frame must already be on screen

    // About 15 seconds for the drag, then the program ends by itself.
    for (int ticks = 0; ticks < 300;) {
        const int kind = WaitEvent().kind;
        ticks += kind == EvTimer ? 1 : 0;
        if (kind == EvClose) {
            break;
        }
        if (kind == EvLeftButtonDown) {
            const int y = CursorYInWindow();
            if (y > 0 && y < 45) {
                Touch(folder + "/dragging");
                BeginWindowDrag(window);
                Touch(folder + "/dragged");
            }
        }
    }
    ShutdownPlatform();
    return 0;
}
