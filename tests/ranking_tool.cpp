// The game's ranking code on one file, from the command line, so that tests can inject
// faults into its system calls with strace: it loads the file as start-up does, saves one
// change as the game does, saves what is pending as the game does at its end, then writes
// both rankings held in memory to stdout, sprint first, in the file's format.
//   ranking_tool FILE [record MODE NAME MILLISECONDS | clear MODE]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/core.h"
#include "ranking/ranking.h"

namespace {

void FinishGame(Rankings& rankings, int gameMode, const std::string& name, std::uint32_t timeMs,
                const std::filesystem::path& file) {
    GameState state;
    state.GameMode = gameMode;
    state.Playing = 1;
    RecordFinish(
        state, rankings, state.ChronoStart + timeMs, [&name](auto, auto, auto) { return name; },
        file);
}

void WriteEntry(const RankingEntry& entry) {
    std::putchar(entry.mode);
    std::fwrite(entry.name.data(), 1, entry.name.size(), stdout);
    for (int i = 0; i < 4; ++i) {
        std::putchar(
            static_cast<int>((static_cast<std::uint32_t>(entry.timeMs) >> (8 * i)) & 0xFF));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string change = argc > 2 ? argv[2] : "";
    if (argc < 2 ||
        !((argc == 2) || (change == "record" && argc == 6) || (change == "clear" && argc == 4))) {
        std::fprintf(stderr, "usage: ranking_tool FILE [record MODE NAME MS | clear MODE]\n");
        return 2;
    }
    const std::filesystem::path file = argv[1];
    Rankings rankings;
    LoadRankings(rankings, file);
    if (change == "record") {
        FinishGame(rankings, std::atoi(argv[3]), argv[4],
                   static_cast<std::uint32_t>(std::strtoul(argv[5], nullptr, 10)), file);
    } else if (change == "clear") {
        ClearRanking(rankings, std::atoi(argv[3]), file);
    }
    SaveAtExit(rankings, file);
    for (const auto* ranking : {&rankings.SprintRanking, &rankings.EnduranceRanking}) {
        for (const RankingEntry& entry : *ranking) {
            WriteEntry(entry);
        }
    }
    return 0;
}
