// Drawing on one target at a time: lines, boxes and pixels are written straight into the
// target's words, pixel-exact.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/drawing.h"
#include "platform/fonts.h"
#include "platform/repaint.h"
#include "platform/state.h"
#include "platform/targets.h"

Picture* OpenPicture() {
    DrawingState& drawing = State().drawing;
    return drawing.open ? TargetPicture(drawing.target) : nullptr;
}

// Only the window's changes are put on screen when its drawing ends.
void MarkDirty(const QRect& area) {
    DrawingState& drawing = State().drawing;
    if (drawing.target.kind == Target::Kind::Window) {
        drawing.dirty |= area;
    }
}

namespace {

void SetFrontColour(std::int32_t packed) {
    DrawingState& drawing = State().drawing;
    drawing.frontRgb = RgbOfPacked(packed);
    drawing.textRgb = drawing.frontRgb;
}

// Step i of a line's `steps` along an axis that moves by `delta`: rounded to the nearest
// pixel along the shorter axis. The longer axis and a still one move by whole pixels,
// which the artwork's many straight lines take without any rounding.
int LineOffset(int delta, int i, int steps) {
    if (delta == 0) {
        return 0;
    }
    if (std::abs(delta) == steps) {
        return delta > 0 ? i : -i;
    }
    return static_cast<int>(std::lround(static_cast<double>(delta) * i / steps));
}

void LayImage(Handle image, int x, int y, Picture::Lay lay) {
    Picture* picture = OpenPicture();
    const Picture* source = ImageByHandle(image);
    if (picture == nullptr || source == nullptr) {
        return;
    }
    if (source == picture) {
        const Picture copy = *source;
        picture->Blit(copy, x, y, lay);
    } else {
        picture->Blit(*source, x, y, lay);
    }
    MarkDirty(QRect(x, y, source->width, source->height));
}

}  // namespace

Handle BeginDrawing(Target target) {
    CloseDrawing();
    if (TargetPicture(target) == nullptr) {
        return 0;
    }
    PlatformState& state = State();
    state.drawing = DrawingState{};
    state.drawing.open = true;
    state.drawing.target = target;
    state.drawing.font = StockFont();
    return NewHandle();
}

void CloseDrawing() {
    PlatformState& state = State();
    DrawingState& drawing = state.drawing;
    if (!drawing.open) {
        return;
    }
    drawing.open = false;
    if (!drawing.dirty.isEmpty()) {
        ShowSurface(drawing.dirty);
    }
    drawing.dirty = {};
    drawing.lastText = {};
}

void EndDrawing() {
    CloseDrawing();
}

void SelectFont(Handle font) {
    const FontEntry* entry = FontByHandle(font);
    if (OpenPicture() == nullptr || entry == nullptr) {
        return;
    }
    State().drawing.font = *entry;
}

void SetDrawMode(int mode) {
    if (OpenPicture() != nullptr) {
        State().drawing.mode = mode;
    }
}

void SetColour(int red, int green, int blue) {
    if (OpenPicture() != nullptr) {
        SetFrontColour(PackColour(red, green, blue));
    }
}

void SetTextColour(std::int32_t colour) {
    if (OpenPicture() != nullptr) {
        State().drawing.textRgb = RgbOfPacked(colour);
    }
}

void MovePen(int x, int y) {
    if (OpenPicture() != nullptr) {
        State().drawing.pen = {x, y};
    }
}

void DrawLine(int x, int y, int dx, int dy) {
    Picture* picture = OpenPicture();
    if (picture == nullptr) {
        return;
    }
    DrawingState& drawing = State().drawing;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps > 0 && (dx == 0 || dy == 0)) {
        // The artwork's many straight lines, filled at once: the same pixels as stepped.
        const QPoint last(x + dx - (dx > 0) + (dx < 0), y + dy - (dy > 0) + (dy < 0));
        picture->Fill(QRect(QPoint(std::min(x, last.x()), std::min(y, last.y())),
                            QPoint(std::max(x, last.x()), std::max(y, last.y()))),
                      drawing.frontRgb);
    } else {
        for (int i = 0; i < steps; ++i) {
            picture->Set(x + LineOffset(dx, i, steps), y + LineOffset(dy, i, steps),
                         drawing.frontRgb);
        }
    }
    if (steps > 0) {
        MarkDirty(QRect(QPoint(std::min(x, x + dx), std::min(y, y + dy)),
                        QPoint(std::max(x, x + dx), std::max(y, y + dy))));
    }
    drawing.pen = {x + dx, y + dy};
}

void DrawLine(int x, int y, int dx, int dy, std::int32_t colour) {
    if (OpenPicture() == nullptr) {
        return;
    }
    SetFrontColour(colour);
    DrawLine(x, y, dx, dy);
}

void DrawBox(int x, int y, int width, int height, std::int32_t colour) {
    Picture* picture = OpenPicture();
    if (picture == nullptr) {
        return;
    }
    SetFrontColour(colour);
    const QRect box(x, y, width, height);
    picture->Fill(box, State().drawing.frontRgb);
    MarkDirty(box);
}

void PutPixel(int x, int y, std::int32_t colour) {
    Picture* picture = OpenPicture();
    if (picture == nullptr) {
        return;
    }
    picture->Set(x, y, RgbOfPacked(colour));
    MarkDirty(QRect(x, y, 1, 1));
}

void BlitImage(Handle image, int x, int y) {
    LayImage(image, x, y, Picture::Lay::Copy);
}

void AndBlitImage(Handle image, int x, int y) {
    LayImage(image, x, y, Picture::Lay::And);
}

// The pen of width p is centred on the one-pixel outline that GDI would draw (columns
// left and right − 1, rows top and bottom − 1); the fill is what lies inside the pen.
void DrawRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight,
                   int penWidth, std::int32_t penColour, std::int32_t fillColour) {
    Picture* picture = OpenPicture();
    if (picture == nullptr) {
        return;
    }
    const int p = std::max(penWidth, 1);
    const int outside = p / 2;
    const auto paint = [&](const std::vector<Run>& runs, std::uint32_t rgb) {
        for (const Run& run : runs) {
            picture->Fill(QRect(run.left, run.y, run.right - run.left, 1), rgb);
        }
    };
    paint(RoundRectRuns(left - outside, top - outside, right - 1 - outside + p,
                        bottom - 1 - outside + p, ellipseWidth + p - 1, ellipseHeight + p - 1),
          RgbOfPacked(penColour));
    paint(RoundRectRuns(left - outside + p, top - outside + p, right - 1 - outside,
                        bottom - 1 - outside, std::max(0, ellipseWidth - p - 1),
                        std::max(0, ellipseHeight - p - 1)),
          RgbOfPacked(fillColour));
    MarkDirty(QRect(QPoint(left - outside, top - outside),
                    QPoint(right - 2 - outside + p, bottom - 2 - outside + p)));
}

std::uint32_t* PixelBuffer() {
    Picture* picture = OpenPicture();
    if (picture == nullptr || State().drawing.target.kind != Target::Kind::Sprite) {
        return nullptr;
    }
    return picture->pixels.data();
}
