// The lock that every save to a file takes, so that two games never undo each other's.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "ranking/file_descriptor.h"

class FileLock {
  public:
    enum class State { Held, Busy, Failed };

    // Locks the file's directory, which no save replaces, waiting at most `patience` for
    // another holder. Where the directory cannot be opened or locked, the file itself is
    // locked instead (made, empty, when missing).
    FileLock(const std::filesystem::path& directory, const std::filesystem::path& file,
             std::chrono::milliseconds patience);

    State Outcome() const { return state_; }
    const std::string& Failure() const { return failure_; }
    // Whether the directory could be opened, and so its files listed.
    bool DirectoryReadable() const { return directoryReadable_; }

  private:
    Descriptor fd_{-1};
    State state_ = State::Failed;
    std::string failure_;
    bool directoryReadable_ = false;
};
