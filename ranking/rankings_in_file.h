// The rankings as the file holds them: its format, and its content read again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "ranking/ranking.h"

constexpr std::size_t MaxLoadedBytes = std::size_t{MaxLoadedRecords} * RankingRecordSize;

// Whole records, each into its mode's ranking, in the file's order.
Rankings DecodeRankings(std::span<const std::uint8_t> bytes);
// Sprint first, then endurance.
std::vector<std::uint8_t> EncodeRankings(const Rankings& rankings);

// Puts the file's lists, with the pending changes made to them, in place of the ones in
// memory, which another game may have made stale; a file that cannot be read whole
// leaves them as they are.
void RefreshRankings(Rankings& rankings, const std::filesystem::path& file);
