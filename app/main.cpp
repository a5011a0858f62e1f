#include <QApplication>
#include <cstdio>

#include "app/app.h"

int main(int argc, char* argv[]) {
    const std::string problem = DisplayProblem();
    if (!problem.empty()) {
        std::fprintf(stderr, "quickstack: %s\n", problem.c_str());
        return 1;
    }
    QApplication application(argc, argv);
    // One id for the desktop entry, the Wayland app id and the X11 window class.
    QApplication::setApplicationName("org.quickstack.Quickstack");
    QGuiApplication::setDesktopFileName("org.quickstack.Quickstack");
    return RunQuickstack();
}
