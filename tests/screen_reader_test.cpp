// What a screen reader finds in the window as the program opens it: the window's name, and
// the five buttons by their captions, which the buttons show only as pictures.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QStringList>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "tests/started_program.h"

namespace {

QWidget* ShownWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

TEST(ScreenReader, NamesTheWindowAndItsButtonsByTheirCaptions) {
    const std::filesystem::path data = testing::TempDir() + "screen-reader-data";
    const std::unique_ptr<Program> program = StartedProgram(data);
    ASSERT_NE(program, nullptr);

    QWidget* window = ShownWindow();
    ASSERT_NE(window, nullptr);
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(window);
    EXPECT_EQ(shown->text(QAccessible::Name), "Quickstack");
    QStringList buttons;
    for (int i = 0; i < shown->childCount(); ++i) {
        if (shown->child(i)->role() == QAccessible::PushButton) {
            buttons << shown->child(i)->text(QAccessible::Name);
        }
    }
    EXPECT_EQ(buttons, QStringList({"Nouvelle partie", "Règle du jeu", "Mode de jeu",
                                    "Efface classement", "Quitter"}));
    ShutdownPlatform();
    std::filesystem::remove_all(data);
}

}  // namespace
