#include <malloc.h>

#include <cstdio>

#include "app/app.h"

namespace {

// Pictures the size of the window come and go with every repaint: in mappings of their
// own they give their memory back when freed, where the heap would keep it.
void KeepMemoryShort() {
    constexpr int LargeBlock = 128 * 1024;  // bytes
    mallopt(M_MMAP_THRESHOLD, LargeBlock);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> answered = AnswerCommandLine(argc, argv)) {
        return *answered;
    }
    KeepMemoryShort();
    const std::string problem = DisplayProblem();
    if (!problem.empty()) {
        std::fprintf(stderr, "quickstack: %s\n", problem.c_str());
        return 1;
    }
    StartPlatform(argc, argv, "org.quickstack.Quickstack");
    return RunQuickstack();
}
