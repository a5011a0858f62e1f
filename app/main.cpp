#include <cstdio>

#include "app/app.h"

int main(int argc, char* argv[]) {
    const std::string problem = DisplayProblem();
    if (!problem.empty()) {
        std::fprintf(stderr, "quickstack: %s\n", problem.c_str());
        return 1;
    }
    StartPlatform(argc, argv, "org.quickstack.Quickstack");
    return RunQuickstack();
}
