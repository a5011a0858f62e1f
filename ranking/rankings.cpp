#include "ranking/ranking.h"

std::vector<RankingEntry>& CurrentRanking(Rankings& rankings, int gameMode) {
    return gameMode == 0 ? rankings.SprintRanking : rankings.EnduranceRanking;
}

const std::vector<RankingEntry>& CurrentRanking(const Rankings& rankings, int gameMode) {
    return gameMode == 0 ? rankings.SprintRanking : rankings.EnduranceRanking;
}

void ClearRanking(Rankings& rankings, int gameMode, const std::filesystem::path& file) {
    SaveRankings(
        rankings, [gameMode](Rankings& current) { CurrentRanking(current, gameMode).clear(); },
        file);
}
