// Saving the rankings: each change is made to the file as it is then, under the lock, and
// one that cannot be saved now waits, pending, for the next save.
#include <cstdio>

#include "ranking/file_edit.h"
#include "ranking/ranking.h"
#include "ranking/rankings_in_file.h"

namespace {

using Clock = std::chrono::steady_clock;

// Another game's save takes a few milliseconds; the window waits no longer than a frame or
// two for it, and the change waits instead.
constexpr auto SavePatience = std::chrono::milliseconds(50);
// A game that ends, its window gone, waits this long for another game's lock.
constexpr auto ExitPatience = std::chrono::seconds(20);
// How long pending changes wait silently for another game's lock.
constexpr auto QuietWait = std::chrono::seconds(3);

// Every pending change, in order, made to the file as it is now; "" once it holds them.
std::string WritePending(Rankings& rankings, const std::filesystem::path& file,
                         std::chrono::milliseconds patience) {
    Rankings written;
    const std::string failure = EditFile(
        file, MaxLoadedBytes,
        [&](std::span<const std::uint8_t> current) {
            written = DecodeRankings(current);
            for (const RankingChange& change : rankings.pending.changes) {
                change(written);
            }
            return EncodeRankings(written);
        },
        patience);
    if (failure.empty()) {
        rankings.SprintRanking = std::move(written.SprintRanking);
        rankings.EnduranceRanking = std::move(written.EnduranceRanking);
        rankings.pending = {};
    }
    return failure;
}

}  // namespace

// The panel shows a change at once, saved or not.
void SaveRankings(Rankings& rankings, const RankingChange& change,
                  const std::filesystem::path& file) {
    if (rankings.pending.changes.empty()) {
        rankings.pending.since = Clock::now();
    }
    rankings.pending.changes.push_back(change);
    const std::string failure = WritePending(rankings, file, SavePatience);
    if (failure.empty()) {
        return;
    }
    change(rankings);
    if (failure != LockedByAnother) {
        std::fprintf(stderr, "quickstack: cannot save the rankings to %s: %s\n", file.c_str(),
                     failure.c_str());
    }
}

bool SavePendingChanges(Rankings& rankings, const std::filesystem::path& file) {
    if (rankings.pending.changes.empty()) {
        return false;
    }
    const std::string failure = WritePending(rankings, file, std::chrono::milliseconds(0));
    if (failure.empty()) {
        return true;
    }
    if (failure == LockedByAnother && !rankings.pending.told &&
        Clock::now() - rankings.pending.since >= QuietWait) {
        std::fprintf(stderr,
                     "quickstack: the rankings wait to be saved to %s: another game keeps it "
                     "locked\n",
                     file.c_str());
        rankings.pending.told = true;
    }
    return false;
}

void SaveAtExit(Rankings& rankings, const std::filesystem::path& file) {
    if (rankings.pending.changes.empty()) {
        return;
    }
    const std::size_t changes = rankings.pending.changes.size();
    if (const std::string failure = WritePending(rankings, file, ExitPatience); !failure.empty()) {
        std::fprintf(stderr,
                     "quickstack: %zu change%s to the rankings could not be saved to %s: %s\n",
                     changes, changes == 1 ? "" : "s", file.c_str(), failure.c_str());
    }
}
