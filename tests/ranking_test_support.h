// What the ranking tests share: a scratch directory, files as byte strings, entries
// written the way a reader of the file format would, and a child process to fail in.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "ranking/ranking.h"
#include "tests/file_bytes.h"

// A fresh directory, removed with everything in it at the end of the test.
class ScratchDirectory {
  public:
    ScratchDirectory() {
        std::string name = (std::filesystem::temp_directory_path() / "ranking-XXXXXX").string();
        path_ = mkdtemp(name.data());
        // Open to others, so that a test that drops root can still reach what is inside.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all |
                                                std::filesystem::perms::group_exec |
                                                std::filesystem::perms::others_exec);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory() {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path File() const { return path_ / "Quickstack.dat"; }

  private:
    std::filesystem::path path_;
};

// The 21 bytes of a record: mode, the name zero-filled to 16 bytes, the time little-endian.
inline std::string Record(std::uint8_t mode, std::string_view name, std::int32_t timeMs) {
    std::string bytes(1, static_cast<char>(mode));
    bytes += name.substr(0, 16);
    bytes.resize(17, '\0');
    const auto time = static_cast<std::uint32_t>(timeMs);
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>(time >> (8 * i)));
    }
    return bytes;
}

inline RankingEntry Entry(std::uint8_t mode, std::string_view name, std::int32_t timeMs) {
    RankingEntry entry{mode, {}, timeMs};
    name.substr(0, 16).copy(entry.name.data(), 16);
    return entry;
}

// A save that changes nothing: the file is rewritten from what it holds.
inline void NoChange(Rankings&) {}

// Saves both rankings whole through the game's own save, whatever the file held.
inline void SaveWhole(const Rankings& wanted, const std::filesystem::path& file) {
    Rankings rankings;
    SaveRankings(
        rankings,
        [&wanted](Rankings& current) {
            current.SprintRanking = wanted.SprintRanking;
            current.EnduranceRanking = wanted.EnduranceRanking;
        },
        file);
}

// Files beside the ranking file: the temporary ones a save must not leave behind.
inline int OtherFiles(const std::filesystem::path& directory) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        count += entry.path().filename() != "Quickstack.dat";
    }
    return count;
}

struct ChildOutcome {
    int status;          // as waitpid gives it
    std::string errors;  // what the child wrote to stderr
};

// Runs `body` in a child process with its stderr captured. An unprivileged child runs as
// nobody when the tests run as root, for whom permissions do not hold.
inline ChildOutcome RunInChild(const std::function<void()>& body, bool unprivileged = false) {
    int errors[2];
    if (pipe(errors) != 0) {
        std::abort();
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(errors[1], STDERR_FILENO);
        close(errors[0]);
        if (unprivileged && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(99);
        }
        body();
        _exit(0);
    }
    close(errors[1]);
    ChildOutcome outcome{};
    char buffer[512];
    for (ssize_t got; (got = read(errors[0], buffer, sizeof buffer)) > 0;) {
        outcome.errors.append(buffer, static_cast<std::size_t>(got));
    }
    close(errors[0]);
    waitpid(child, &outcome.status, 0);
    return outcome;
}
