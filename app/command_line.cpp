// The command line: the game takes no options, but answers the two every program does.
#include <cstdio>
#include <cstring>

#include "app/app.h"

namespace {

constexpr const char* Usage = "usage: quickstack [--help | --version]";

void PrintHelp() {
    std::printf(
        "%s\n"
        "A falling-block puzzle against the chrono, in French. Run it without arguments to\n"
        "play; the arrow keys move the pieces, the buttons on the left do the rest.\n"
        "\n"
        "  --help     print this help and exit\n"
        "  --version  print the version and exit\n"
        "\n"
        "The rankings are kept in $XDG_DATA_HOME/quickstack/Quickstack.dat\n"
        "(~/.local/share/quickstack/Quickstack.dat by default). See quickstack(6).\n",
        Usage);
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char* argv[]) {
    if (argc < 2) {
        return std::nullopt;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        PrintHelp();
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("quickstack %s\n", QUICKSTACK_VERSION);
        return 0;
    }
    std::fprintf(stderr, "quickstack: unknown argument \"%s\"; %s\n", argv[1], Usage);
    return 2;
}
