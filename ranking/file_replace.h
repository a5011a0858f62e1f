// Replacing a file's whole content so that a crash, a kill or a full disk at any moment
// leaves either the old content or the new one, never a mix or a truncated file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

// Writes the bytes to a temporary file beside `file`, flushes it to disk, renames it
// over `file` and flushes the directory; makes the directory first when it is missing.
// Returns "" on success, else what failed and why; the old file is then untouched.
std::string ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);
