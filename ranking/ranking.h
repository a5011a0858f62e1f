// The rankings: for each mode the fastest finishes, kept in one file that a save never
// loses, the entry of a new record under the name the player types, and the panel that
// shows the ranking of the current mode. Names are Windows-1252 bytes.
#pragma once

#include <array>
#include <chrono>
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

struct Rankings;
// One change saved to the rankings: an entry inserted, a ranking cleared.
using RankingChange = std::function<void(Rankings&)>;

// The changes the file does not hold yet, in the order they were made: another game kept
// it locked, or it could not be written. Each save takes them all.
struct PendingChanges {
    std::vector<RankingChange> changes;
    std::chrono::steady_clock::time_point since;  // of the oldest
    bool told = false;                            // that they wait for another game
};

// The program-wide state of the rankings.
struct Rankings {
    std::vector<RankingEntry> SprintRanking;
    std::vector<RankingEntry> EnduranceRanking;
    std::string LastPlayerName;  // default text of the next name request; never saved
    PendingChanges pending{};
    // What a player sees; the pending changes are already made to the lists.
    bool operator==(const Rankings& other) const {
        return SprintRanking == other.SprintRanking && EnduranceRanking == other.EnduranceRanking &&
               LastPlayerName == other.LastPlayerName;
    }
};

// The ranking of a mode: sprint for 0, endurance for any other value.
std::vector<RankingEntry>& CurrentRanking(Rankings& rankings, int gameMode);
const std::vector<RankingEntry>& CurrentRanking(const Rankings& rankings, int gameMode);

// $XDG_DATA_HOME/quickstack/Quickstack.dat, by default ~/.local/share/quickstack/.
std::filesystem::path RankingFilePath();

// Replaces both rankings with the file's records, each by its mode byte; no file, one that
// cannot be read whole or anything but a regular file gives two empty rankings, silently.
void LoadRankings(Rankings& rankings, const std::filesystem::path& file);

// Makes the change, after those still pending, to the rankings as the file holds them now
// and writes the result back, sprint first, through a temporary file renamed over it (over
// the file a link names), under a lock that every game saving to the file takes; `rankings`
// then holds what was written, so that two games at once lose nothing. The lock is waited
// for only briefly. A save that cannot be made now (the lock is kept, the file cannot be
// read whole or written) leaves the file as it is, makes the change in memory and keeps it
// pending; a failure other than the lock says why in one line on stderr.
void SaveRankings(Rankings& rankings, const RankingChange& change,
                  const std::filesystem::path& file);
// Saves the pending changes again, without waiting for the lock; true when it saved them
// now. While another game keeps the lock, one line on stderr says so after a few seconds.
bool SavePendingChanges(Rankings& rankings, const std::filesystem::path& file);
// The last try, as the program ends; what still cannot be saved is named on stderr.
void SaveAtExit(Rankings& rankings, const std::filesystem::path& file);
// Empties the ranking of the mode, then saves.
void ClearRanking(Rankings& rankings, int gameMode, const std::filesystem::path& file);

// Asks the player for a text (the platform's AskText): "" on Escape.
using NameRequest = std::function<std::string(std::string_view title, std::string_view prompt,
                                              std::string_view defaultText)>;
// Ends a game that reached its target at tick count `now`; a time that earns one of the
// 19 places of the ranking as the file holds it then is filed under the name asked for,
// and the file is rewritten.
void RecordFinish(GameState& state, Rankings& rankings, std::uint32_t now,
                  const NameRequest& askName, const std::filesystem::path& file);
