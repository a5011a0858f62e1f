#include <algorithm>

#include "core/core.h"
#include "ranking/ranking.h"
#include "ranking/rankings_in_file.h"

namespace {

constexpr std::string_view RecordTitle = "Bravo, tu es le N\xB0 ";  // Windows-1252
constexpr std::string_view NamePrompt = "Entre ton nom :";

// The index of the first entry that is not faster: an equal time goes before it.
std::size_t PlaceOf(const std::vector<RankingEntry>& ranking, std::int32_t timeMs) {
    const auto notFaster =
        std::find_if(ranking.begin(), ranking.end(),
                     [timeMs](const RankingEntry& e) { return e.timeMs >= timeMs; });
    return static_cast<std::size_t>(notFaster - ranking.begin());
}

// The first 16 bytes of the name, zero-filled.
RankingEntry MakeEntry(int gameMode, std::string_view name, std::int32_t timeMs) {
    RankingEntry entry;
    entry.mode = static_cast<std::uint8_t>(gameMode);
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), RankingNameSize),
                entry.name.begin());
    entry.timeMs = timeMs;
    return entry;
}

// At its place in its mode's ranking, which then loses its last entry when over 19.
void InsertEntry(Rankings& rankings, const RankingEntry& entry) {
    std::vector<RankingEntry>& ranking = CurrentRanking(rankings, entry.mode);
    ranking.insert(ranking.begin() + static_cast<std::ptrdiff_t>(PlaceOf(ranking, entry.timeMs)),
                   entry);
    if (ranking.size() > MaxRankingEntries) {
        ranking.pop_back();
    }
}

}  // namespace

void RecordFinish(GameState& state, Rankings& rankings, std::uint32_t now,
                  const NameRequest& askName, const std::filesystem::path& file) {
    const std::int32_t timeMs = StopChrono(state, now);
    // Another game may have changed the file since this one read it.
    RefreshRankings(rankings, file);
    const std::size_t place = PlaceOf(CurrentRanking(rankings, state.GameMode), timeMs);
    if (place >= MaxRankingEntries) {
        return;
    }
    rankings.LastPlayerName = askName(std::string(RecordTitle) + std::to_string(place + 1),
                                      NamePrompt, rankings.LastPlayerName);
    const RankingEntry entry = MakeEntry(state.GameMode, rankings.LastPlayerName, timeMs);
    SaveRankings(
        rankings, [entry](Rankings& current) { InsertEntry(current, entry); }, file);
}
