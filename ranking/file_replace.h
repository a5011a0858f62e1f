// Replacing a file's whole content so that a crash, a kill or a full disk at any moment
// leaves either the old content or the new one, never a mix or a truncated file.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// A save's temporary file is named after the file, this and six letters or digits: no
// name a player would give a copy of their own, so a leftover one is safe to remove.
constexpr std::string_view TemporaryInfix = ".saving-";

// Writes the bytes to a temporary file beside `file`, flushes it to disk, renames it over
// `file` and flushes the directory. `existing` is the status of the file replaced, whose
// mode and owner the new one keeps, or nullptr for a new file, made 0600. Returns "" on
// success, else what failed and why; the old file is then untouched. In a directory that
// takes no new file, an existing file is rewritten in place instead.
std::string ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                        const struct stat* existing);
