#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ranking/file_edit.h"
#include "ranking/ranking.h"
#include "ranking/rankings_in_file.h"

namespace {

using Record = std::array<std::uint8_t, RankingRecordSize>;

// Byte 0 the mode, bytes 1 to 16 the name, bytes 17 to 20 the time, little-endian.
Record EncodeRecord(const RankingEntry& entry) {
    Record record{};
    record[0] = entry.mode;
    std::copy(entry.name.begin(), entry.name.end(), record.begin() + 1);
    const auto time = static_cast<std::uint32_t>(entry.timeMs);
    for (int i = 0; i < 4; ++i) {
        record[17 + i] = static_cast<std::uint8_t>(time >> (8 * i));
    }
    return record;
}

RankingEntry DecodeRecord(const std::uint8_t* record) {
    RankingEntry entry;
    entry.mode = record[0];
    std::copy(record + 1, record + 1 + RankingNameSize, entry.name.begin());
    std::uint32_t time = 0;
    for (int i = 0; i < 4; ++i) {
        time |= std::uint32_t{record[17 + i]} << (8 * i);
    }
    entry.timeMs = static_cast<std::int32_t>(time);
    return entry;
}

std::filesystem::path HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return home;
    }
    if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
        return user->pw_dir;
    }
    return ".";
}

}  // namespace

// Whole records only: a trailing fragment of less than a record is dropped, since
// completing it with the bytes of the record before would make up an entry nobody wrote.
Rankings DecodeRankings(std::span<const std::uint8_t> bytes) {
    Rankings rankings;
    for (std::size_t at = 0; at + RankingRecordSize <= bytes.size(); at += RankingRecordSize) {
        const RankingEntry entry = DecodeRecord(bytes.data() + at);
        CurrentRanking(rankings, entry.mode).push_back(entry);
    }
    return rankings;
}

std::vector<std::uint8_t> EncodeRankings(const Rankings& rankings) {
    std::vector<std::uint8_t> bytes;
    for (const auto* ranking : {&rankings.SprintRanking, &rankings.EnduranceRanking}) {
        for (const RankingEntry& entry : *ranking) {
            const Record record = EncodeRecord(entry);
            bytes.insert(bytes.end(), record.begin(), record.end());
        }
    }
    return bytes;
}

std::filesystem::path RankingFilePath() {
    std::filesystem::path data;
    // Relative values are not valid base directories and are ignored.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
        data = xdg;
    } else {
        data = HomeDirectory() / ".local" / "share";
    }
    return data / "quickstack" / "Quickstack.dat";
}

// A file larger than the load limit loads up to it, so that start-up never stalls.
void LoadRankings(Rankings& rankings, const std::filesystem::path& file) {
    const FileContent content = ReadFileContent(file, MaxLoadedBytes);
    Rankings loaded = content.failure.empty() ? DecodeRankings(content.bytes) : Rankings{};
    rankings.SprintRanking = std::move(loaded.SprintRanking);
    rankings.EnduranceRanking = std::move(loaded.EnduranceRanking);
}

void RefreshRankings(Rankings& rankings, const std::filesystem::path& file) {
    const FileContent content = ReadFileContent(file, MaxLoadedBytes);
    if (!content.failure.empty() || !content.whole) {
        return;
    }
    Rankings current = DecodeRankings(content.bytes);
    for (const RankingChange& change : rankings.pending.changes) {
        change(current);
    }
    rankings.SprintRanking = std::move(current.SprintRanking);
    rankings.EnduranceRanking = std::move(current.EnduranceRanking);
}
