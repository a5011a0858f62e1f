// The one layer between the game and the machine: off-screen images and drawing, the
// play area with its sprites, the main window with its events, buttons and requesters,
// and the kernel's clock. It knows nothing of the game; the game names every object by
// a small number of its own choosing. Texts are Windows-1252 bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// An opaque non-zero value the game only passes back; 0 means "none".
using Handle = std::intptr_t;

// Packed colours are 0x00BBGGRR, made as a plain sum: nothing is clamped or masked.
constexpr std::int32_t PackColour(int red, int green, int blue) {
    return red + green * 256 + blue * 65536;
}

// What drawing is opened on.
struct Target {
    enum class Kind { Image, Sprite, Window };
    Kind kind;
    int number;
};

// The game's texts are Windows-1252 bytes: this turns UTF-8 (the source files' text)
// into them, with '?' for each character the set lacks.
std::string Windows1252(std::string_view utf8);

// Why no display can be opened, or "" when one can. Asked before anything else, so
// that the program can say so and end instead of letting the toolkit abort it. It also
// readies the toolkit to show the window at a whole-number scale on HiDPI screens.
std::string DisplayProblem();
// Starts the layer for a program that the desktop knows by this id: its desktop entry,
// its Wayland app id and its X11 window class. Qt's own options on the command line stay
// Qt's.
void StartPlatform(int& argc, char** argv, std::string_view desktopId);

// Kernel services.
std::uint32_t TickCount();     // monotonic milliseconds since boot, wrapping at 2^32
void Pause(int milliseconds);  // blocks the whole program; handles nothing meanwhile

// Images: off-screen pictures, black when made.
Handle NewImage(int number, int width, int height);
Handle CopyImageRegion(int source, int number, int x, int y, int width, int height);
Handle ImageHandle(int number);  // 0 if there is no such image
// A window background made from the image keeps its pixels.
void FreeImage(int number);
Target ImageTarget(int number);

// Drawing on one target at a time. Each opening starts from black, position (0, 0),
// draw mode 0 and the stock font. Everything below does nothing while nothing is open.
Handle BeginDrawing(Target target);  // 0 when the target does not exist
void EndDrawing();
void SetDrawMode(int mode);  // 1: text without a background box
void SetColour(int red, int green, int blue);
void SetTextColour(std::int32_t colour);
void MovePen(int x, int y);
void DrawString(std::string_view text);  // top-left of the text at the pen; pen moves right
int MeasureText(std::string_view text);
void DrawLine(int x, int y, int dx, int dy);  // start drawn, end not
void DrawLine(int x, int y, int dx, int dy, std::int32_t colour);
void DrawBox(int x, int y, int width, int height, std::int32_t colour);
void PutPixel(int x, int y, std::int32_t colour);
void BlitImage(Handle image, int x, int y);
void AndBlitImage(Handle image, int x, int y);  // each pixel it covers ANDed with the image's
// A rounded rectangle, right and bottom exclusive, outlined with a pen centred on its
// border and filled inside; the window skin paints its mask with it.
void DrawRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight,
                   int penWidth, std::int32_t penColour, std::int32_t fillColour);

// Fonts, by face name; sizes in points at 96 dots per inch. Flag 256 is bold.
constexpr int FontBold = 256;
Handle OpenFont(int number, std::string_view face, int size, int flags = 0);
void SelectFont(Handle font);
Handle OpenAngledFont(std::string_view face, int cellHeight, int escapement, int weight);
void FreeFont(Handle font);

// The play area: a back buffer composed from sprites and copied into the window.
bool InitPlayAreaSystem();
bool OpenPlayArea(Handle window, int x, int y, int width, int height);
bool NewSprite(int number, int width, int height);
Target SpriteTarget(int number);
// While drawing is open on a sprite: its memory, width × height words of 0x00RRGGBB,
// rows one after the other. Null for any other target.
std::uint32_t* PixelBuffer();
void ShowSprite(int number, int x, int y);
void ShowSpriteKeyed(int number, int x, int y);  // skips exactly black pixels
void PresentPlayArea();  // on screen when it returns; paced to about 60 per second

// The main window.
constexpr std::uint32_t WindowCentred = 1;
constexpr std::uint32_t WindowBorderless = 0x80000000;
Handle OpenMainWindow(int number, int x, int y, int width, int height, std::uint32_t flags,
                      std::string_view title);
void SetWindowIcon(Handle window);
Target WindowTarget();
// The window's visible outline: the union of rounded rectangles (right and bottom
// exclusive) and the picture its background is erased with.
struct RoundRect {
    int left, top, right, bottom, ellipseWidth, ellipseHeight;
};
void SetWindowShape(Handle window, const RoundRect& first, const RoundRect& second);
void SetWindowBackground(Handle window, Handle image);

// Window messages reach the hook before they become events.
constexpr std::uint32_t MsgRepaint = 15;
constexpr std::uint32_t HookDefault = 0xE0E0E0E1;
using MessageHook = std::function<std::uint32_t(Handle window, std::uint32_t message,
                                                std::intptr_t first, std::intptr_t second)>;
void SetMessageHook(MessageHook hook);
void RepaintNow(Handle window);  // the hook has run when it returns

// Events.
constexpr int EvGadget = 13100;
constexpr int EvTimer = 275;
constexpr int EvKeyDown = 256;
constexpr int EvLeftButtonDown = 513;
constexpr int EvClose = 16;
constexpr int KeyLeft = 37;
constexpr int KeyUp = 38;
constexpr int KeyRight = 39;
constexpr int KeyDown = 40;
// One event, handed over whole: its kind and the data that kind carries.
struct Event {
    int kind = 0;
    int gadgetNumber = 0;  // EvGadget: the button clicked
    int keyCode = 0;       // EvKeyDown: the virtual-key code
    bool operator==(const Event&) const = default;
};
void StartTimer(Handle window, int periodMs);  // at most one tick waits
Event WaitEvent();
int CursorYInWindow();                // -1 when the pointer is outside the window
void BeginWindowDrag(Handle window);  // returns when the move ends (native Wayland: at once)

// Image buttons and modal requesters.
void BeginGadgets(Handle window);
bool NewImageButton(int number, int x, int y, int width, int height, Handle image);
// What a screen reader says for the button, which shows its caption only as a picture.
void SetGadgetName(int number, std::string_view name);
int ShowMessage(std::string_view title, std::string_view text, int flags);  // CR ends a line
std::string AskText(std::string_view title, std::string_view prompt,
                    std::string_view defaultText);  // "" on Escape or close

// Reading pictures back, for the tests and the golden frames: 0x00RRGGBB.
std::uint32_t PixelAt(Target target, int x, int y);
bool SaveTargetPng(Target target, const std::string& path);

// Releases every platform object: play area and sprites, images, window, fonts.
void ShutdownPlatform();
