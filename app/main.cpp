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
    // Ready before the start-up pictures draw their first text.
    const std::jthread fonts(WarmFonts);
    QApplication application(argc, argv);
    QApplication::setApplicationName("quickstack");
    QGuiApplication::setDesktopFileName("quickstack");
    return RunQuickstack();
}
