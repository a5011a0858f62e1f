// Loading and saving the ranking file with both rankings full, 19 entries each, in a
// temporary folder. A save locks the folder, reads the file, writes a temporary file, syncs
// it to disk and renames it.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "ranking/ranking.h"

namespace {

RankingEntry Entry(int mode, int place) {
    RankingEntry entry;
    entry.mode = static_cast<std::uint8_t>(mode);
    const std::string name = "Joueur " + std::to_string(place);
    std::copy(name.begin(), name.end(), entry.name.begin());
    entry.timeMs = 60'000 + 1'000 * place;
    return entry;
}

Rankings FullRankings() {
    Rankings rankings;
    for (int place = 1; place <= MaxRankingEntries; ++place) {
        rankings.SprintRanking.push_back(Entry(0, place));
        rankings.EnduranceRanking.push_back(Entry(1, place));
    }
    return rankings;
}

// Saves the file with both rankings full, whatever it held.
void SaveFull(const std::filesystem::path& file) {
    Rankings rankings;
    SaveRankings(
        rankings, [](Rankings& current) { current = FullRankings(); }, file);
}

// A fresh folder, removed with everything in it at the end of the benchmark.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quickstack-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        if (!path_.empty()) {
            std::filesystem::remove_all(path_);
        }
    }
    std::filesystem::path File() const { return path_ / "Quickstack.dat"; }
    bool Made() const { return !path_.empty(); }

  private:
    std::filesystem::path path_;
};

void LoadFullRankings(benchmark::State& state) {
    const TemporaryFolder folder;
    const Rankings full = FullRankings();
    SaveFull(folder.File());
    Rankings loaded;
    for (auto _ : state) {
        LoadRankings(loaded, folder.File());
        benchmark::DoNotOptimize(loaded);
    }
    if (!folder.Made() || loaded != full) {
        state.SkipWithError("the rankings did not come back as saved");
    }
}
BENCHMARK(LoadFullRankings)->Unit(benchmark::kMicrosecond);

void SaveFullRankings(benchmark::State& state) {
    const TemporaryFolder folder;
    for (auto _ : state) {
        SaveFull(folder.File());
    }
    state.SetBytesProcessed(state.iterations() * 2 * MaxRankingEntries * RankingRecordSize);
    if (!folder.Made() ||
        std::filesystem::file_size(folder.File()) != 2u * MaxRankingEntries * RankingRecordSize) {
        state.SkipWithError("the file was not written");
    }
}
BENCHMARK(SaveFullRankings)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
