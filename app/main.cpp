#include <QApplication>
#include <cstdio>
#include <thread>

#include "app/app.h"

int main(int argc, char* argv[]) {
    const std::string problem = DisplayProblem();
    if (!problem.empty()) {
        std::fprintf(stderr, "quickstack: %s\n", problem.c_str());
        return 1;
    }
    // Read while Qt reaches the display, and done before the first text.
    std::jthread fonts(WarmFonts);
    QApplication application(argc, argv);
    fonts.join();
    QApplication::setApplicationName("quickstack");
    QGuiApplication::setDesktopFileName("quickstack");
    return RunQuickstack();
}
