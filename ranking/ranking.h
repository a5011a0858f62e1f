// The rankings: for each mode the fastest finishes, kept in one file that a save never
// loses, the entry of a new record under the name the player types, and the panel that
// shows the ranking of the current mode. Names are Windows-1252 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct GameState;

constexpr int RankingRecordSize = 21;  // bytes of one entry in the ranking file
constexpr int MaxRankingEntries = 19;  // places that record entry keeps per mode
constexpr int RankingNameSize = 16;    // bytes
// Loading stops after this many records, so a huge or endless file cannot stall start-up.
constexpr int MaxLoadedRecords = 65536;

// One ranked finish. The name is zero-filled when shorter than 16 bytes.
struct RankingEntry {
    std::uint8_t mode = 0;
    std::array<char, RankingNameSize> name{};
    std::int32_t timeMs = 0;
    bool operator==(const RankingEntry&) const = default;
};

// The program-wide state of the rankings.
struct Rankings {
    std::vector<RankingEntry> SprintRanking;
    std::vector<RankingEntry> EnduranceRanking;
    std::string LastPlayerName;  // default text of the next name request; never saved
    bool operator==(const Rankings&) const = default;
};

// The ranking of a mode: sprint for 0, endurance for any other value.
std::vector<RankingEntry>& CurrentRanking(Rankings& rankings, int gameMode);
const std::vector<RankingEntry>& CurrentRanking(const Rankings& rankings, int gameMode);

// $XDG_DATA_HOME/quickstack/Quickstack.dat, by default ~/.local/share/quickstack/.
std::filesystem::path RankingFilePath();

// Replaces both rankings with the file's records, each by its mode byte; no file, one that
// cannot be read whole or anything but a regular file gives two empty rankings, silently.
void LoadRankings(Rankings& rankings, const std::filesystem::path& file);

// One change saved to the rankings: an entry inserted, a ranking cleared.
using RankingChange = std::function<void(Rankings&)>;
// Makes the change to the rankings as the file holds them now and writes the result back,
// sprint first, through a temporary file renamed over it (over the file a link names), under
// a lock that every game saving to the file takes; `rankings` then holds what was written,
// so that two games at once lose nothing. A file that cannot be read whole or may not be
// written is left as it is: the change is then made in memory only, and one line goes to
// stderr.
void SaveRankings(Rankings& rankings, const RankingChange& change,
                  const std::filesystem::path& file);
// Empties the ranking of the mode, then saves.
void ClearRanking(Rankings& rankings, int gameMode, const std::filesystem::path& file);

// Asks the player for a text (the platform's AskText): "" on Escape.
using NameRequest = std::function<std::string(std::string_view title, std::string_view prompt,
                                              std::string_view defaultText)>;
// Ends a game that reached its target at tick count `now`; a time that earns one of the
// 19 places is filed under the name asked for, and the file is rewritten.
void RecordFinish(GameState& state, Rankings& rankings, std::uint32_t now,
                  const NameRequest& askName, const std::filesystem::path& file);
