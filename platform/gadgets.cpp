// Image buttons: push buttons that show a picture of the game on a raised face.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/event_queue.h"
#include "platform/image_button.h"
#include "platform/message_hook.h"
#include "platform/state.h"
#include "platform/targets.h"
#include "platform/windows1252.h"

namespace {

constexpr QRgb Light = 0xFFFFFF;
constexpr QRgb Lighter = 0xE3E3E3;
constexpr QRgb Shadow = 0xA0A0A0;
constexpr QRgb DarkShadow = 0x404040;

// Two one-pixel rings, as the classic raised (or, pressed, sunken) button border.
void DrawBorder(QPainter& painter, QRect area, bool sunken) {
    const QRgb outer[2] = {sunken ? DarkShadow : Light, sunken ? Light : DarkShadow};
    const QRgb inner[2] = {sunken ? Shadow : Lighter, sunken ? Lighter : Shadow};
    for (const QRgb* ring : {outer, inner}) {
        const QRect r = area;
        painter.setPen(QColor::fromRgb(ring[0]));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(QColor::fromRgb(ring[1]));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
        area.adjust(1, 1, -1, -1);
    }
}

void OnClicked(int number) {
    if (CallHook(MsgCommand, number, 0) == HookDefault) {
        PushEvent({.kind = EvGadget, .gadgetNumber = number});
    }
}

}  // namespace

ImageButton::ImageButton(int number, const QImage& face, QWidget* parent)
    : QPushButton(parent), face_(face) {
    connect(this, &QPushButton::clicked, this, [number] { OnClicked(number); });
}

// Painted at the game's own pixels, then shown like the window's surface: on a HiDPI
// screen each pixel becomes a whole block, and no line falls between two.
void ImageButton::paintEvent(QPaintEvent* /*event*/) {
    QImage pixels(size(), QImage::Format_RGB32);
    PaintFace(pixels);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), pixels);
}

void ImageButton::PaintFace(QImage& pixels) const {
    QPainter painter(&pixels);
    painter.fillRect(pixels.rect(), QColor::fromRgb(0xF0F0F0));
    const QPoint pressed = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    painter.drawImage(
        QPoint((width() - face_.width()) / 2, (height() - face_.height()) / 2) + pressed, face_);
    DrawBorder(painter, pixels.rect(), isDown());
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(pixels.rect().adjusted(3, 3, -4, -4));
    }
}

// Arrows are the game's keys, not a way to move the focus between buttons; every key is
// reported here once and does not reach the window as well.
void ImageButton::keyPressEvent(QKeyEvent* event) {
    ReportKey(*event);
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
            break;
        default:
            QPushButton::keyPressEvent(event);
    }
    event->accept();
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ReportLeftButtonDown(mapTo(window(), event->position().toPoint()));
    }
    QPushButton::mousePressEvent(event);
}

void BeginGadgets(Handle window) {
    State().gadgetsOpen = IsMainWindow(window);
}

bool NewImageButton(int number, int x, int y, int width, int height, Handle image) {
    PlatformState& state = State();
    state.buttons.erase(number);
    if (!state.window || !state.gadgetsOpen || width <= 0 || height <= 0) {
        return false;
    }
    const Picture* face = ImageByHandle(image);
    auto button = std::make_unique<ImageButton>(
        number, face != nullptr ? face->Shown(face->Bounds()) : QImage(), state.window.get());
    button->setGeometry(x, y, width, height);
    button->show();
    state.buttons[number] = std::move(button);
    return true;
}

void SetGadgetName(int number, std::string_view name) {
    auto& buttons = State().buttons;
    if (const auto button = buttons.find(number); button != buttons.end()) {
        button->second->setAccessibleName(FromWindows1252(name));
    }
}
