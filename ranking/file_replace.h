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

// How the temporary file is named: with six random letters or digits, or, in a directory
// that cannot be read for the leftovers of killed saves, with the fixed "LOCKED", which
// the next save, under the same lock, takes over.
enum class Temporary { Unique, Fixed };

// Writes the bytes to a temporary file beside `file`, flushes it to disk, renames it over
// `file` and flushes the directory. `existing` is the status of the file replaced, whose
// mode and owner the new one keeps, or nullptr for a new file, made 0600. Returns "" on
// success, else what failed and why; the old file is then untouched. In a directory that
// takes no new file, or will not let the file be replaced (another user's, in a sticky
// directory), an existing file is rewritten in place instead. A directory that cannot be
// flushed is said on stderr, the file being saved all the same.
std::string ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                        const struct stat* existing, Temporary naming);
