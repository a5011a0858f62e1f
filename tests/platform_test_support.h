// What the platform tests share: a fresh layer per case, a window with its play area, and
// ways to reach the Qt widgets behind the layer's numbers.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QExposeEvent>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <ostream>
#include <vector>

#include "platform/platform.h"
#include "platform/state.h"

// An event as a failed comparison shows it.
inline void PrintTo(const Event& event, std::ostream* out) {
    *out << "{kind " << event.kind << ", gadget " << event.gadgetNumber << ", key " << event.keyCode
         << "}";
}

class PlatformTest : public testing::Test {
  protected:
    void TearDown() override { ShutdownPlatform(); }
};

// A case with the game's window: 800 × 600, borderless and centred, and its play area.
class WindowTest : public PlatformTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(InitPlayAreaSystem());
        window = OpenMainWindow(0, 0, 0, 800, 600, WindowBorderless | WindowCentred, "Quickstack");
        ASSERT_NE(window, 0);
        ASSERT_TRUE(OpenPlayArea(window, 200, 55, 320, 535));
    }
    QWidget* Widget() const { return State().window.get(); }
    QWidget* Button(int number) const { return State().buttons.at(number).get(); }
    // What the display server sends when the window is uncovered.
    void Expose() const {
        QExposeEvent expose(QRegion(0, 0, 800, 600));
        QCoreApplication::sendEvent(Widget()->windowHandle(), &expose);
    }

    // Records the messages the hook sees; the hook lets every one go on.
    void RecordMessages() {
        SetMessageHook([this](Handle, std::uint32_t message, std::intptr_t first, std::intptr_t) {
            messages.push_back({message, first});
            return HookDefault;
        });
    }
    int CountMessages(std::uint32_t message) const {
        int count = 0;
        for (const auto& seen : messages) {
            count += seen.first == message ? 1 : 0;
        }
        return count;
    }

    Handle window = 0;
    std::vector<std::pair<std::uint32_t, std::intptr_t>> messages;
};

// Runs `action` on the requester as soon as one is open.
inline void WhenModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(10, [action] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QDialog*>(widget) != nullptr && widget->isVisible()) {
                action(widget);
                return;
            }
        }
        WhenModal(action);
    });
}

// Lets Qt handle what is waiting, outside the layer's own calls.
inline void ProcessQtEvents(int milliseconds = 0) {
    QApplication::processEvents(QEventLoop::AllEvents, milliseconds);
}

// Makes an image of one colour and returns its handle.
inline Handle SolidImage(int number, int width, int height, std::int32_t colour) {
    const Handle handle = NewImage(number, width, height);
    BeginDrawing(ImageTarget(number));
    DrawBox(0, 0, width, height, colour);
    EndDrawing();
    return handle;
}
