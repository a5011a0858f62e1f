// Reading a file whole, and changing it under a lock that every game saving to it takes,
// so that two games at once never undo each other's saves.
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What reading a file found.
struct FileContent {
    bool exists = false;  // a missing file reads as empty
    bool whole = true;    // false when it holds more than the limit
    std::string failure;  // why it could not be read, "" when it was
    struct stat status {};
    std::vector<std::uint8_t> bytes;  // up to the limit
};

// Reads up to `limit` bytes of a regular file, whatever it claims its size is. Anything
// else (a directory, a pipe, a device) is a failure; opening without blocking keeps a pipe
// in the file's place from hanging.
FileContent ReadFileContent(const std::filesystem::path& file, std::size_t limit);

// The file's new content, made from its current one.
using FileEdit = std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t> current)>;

// What EditFile says when another edit kept the lock for all of its patience.
constexpr std::string_view LockedByAnother = "another game keeps it locked";

// Follows symbolic links to the file they name, locks its directory against every other
// EditFile (waiting at most `patience` for one under way), removes the temporary files
// that killed saves left there, reads the file and replaces it with what `edit` makes of
// it. A file that cannot be read whole, holds more than `limit` bytes or may not be written
// is left as it is. Returns "" on success, else what failed and why.
std::string EditFile(std::filesystem::path file, std::size_t limit, const FileEdit& edit,
                     std::chrono::milliseconds patience);
