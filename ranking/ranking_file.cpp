#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "ranking/file_replace.h"
#include "ranking/ranking.h"

namespace {

using Record = std::array<std::uint8_t, RankingRecordSize>;

constexpr std::size_t MaxLoadedBytes = std::size_t{MaxLoadedRecords} * RankingRecordSize;
constexpr std::size_t ReadChunk = 64 * 1024;  // bytes

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

// Reads until the end, an error or the load limit, whatever the file claims its size is.
// Anything but a regular file (a directory, a pipe, a device) holds no rankings; opening
// without blocking keeps a pipe in the file's place from hanging start-up.
std::vector<std::uint8_t> ReadRankingFile(const std::filesystem::path& file) {
    std::vector<std::uint8_t> bytes;
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return bytes;
    }
    struct stat status {};
    std::size_t filled = 0;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        while (filled < MaxLoadedBytes) {
            bytes.resize(std::min(filled + ReadChunk, MaxLoadedBytes));
            const ssize_t got = read(fd, bytes.data() + filled, bytes.size() - filled);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            filled += static_cast<std::size_t>(got);
        }
    }
    close(fd);
    bytes.resize(filled);
    return bytes;
}

}  // namespace

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

// A trailing fragment of less than a record is dropped: completing it with the bytes of
// the record before would make up an entry nobody wrote.
void LoadRankings(Rankings& rankings, const std::filesystem::path& file) {
    rankings.SprintRanking.clear();
    rankings.EnduranceRanking.clear();
    const std::vector<std::uint8_t> bytes = ReadRankingFile(file);
    for (std::size_t at = 0; at + RankingRecordSize <= bytes.size(); at += RankingRecordSize) {
        const RankingEntry entry = DecodeRecord(bytes.data() + at);
        CurrentRanking(rankings, entry.mode).push_back(entry);
    }
}

void SaveRankings(const Rankings& rankings, const std::filesystem::path& file) {
    std::vector<std::uint8_t> bytes;
    for (const auto* ranking : {&rankings.SprintRanking, &rankings.EnduranceRanking}) {
        for (const RankingEntry& entry : *ranking) {
            const Record record = EncodeRecord(entry);
            bytes.insert(bytes.end(), record.begin(), record.end());
        }
    }
    if (const std::string failure = ReplaceFile(file, bytes); !failure.empty()) {
        std::fprintf(stderr, "quickstack: cannot save the rankings to %s: %s\n", file.c_str(),
                     failure.c_str());
    }
}
