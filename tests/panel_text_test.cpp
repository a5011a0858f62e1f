#include <gtest/gtest.h>

#include "ranking/panel_text.h"
#include "tests/ranking_test_support.h"

namespace {

class RankingPlace : public testing::TestWithParam<std::pair<int, std::string>> {};

TEST_P(RankingPlace, IsTwoCharacters) {
    EXPECT_EQ(PlaceText(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Places, RankingPlace,
                         testing::Values(std::pair{1, "01"}, std::pair{9, "09"},
                                         std::pair{10, "10"}, std::pair{19, "19"},
                                         std::pair{24, "24"}, std::pair{100, "10"},
                                         std::pair{123, "12"}));

// Ten pixels a character, and "W" thirty.
int Width(std::string_view text) {
    int width = 0;
    for (const char c : text) {
        width += c == 'W' ? 30 : 10;
    }
    return width;
}

class RankingName : public testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(RankingName, IsCutRightAfterTheCharacterPastEightyPixels) {
    EXPECT_EQ(FittedName(Entry(0, GetParam().first, 0), Width), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Names, RankingName,
    testing::Values(std::pair{"", ""}, std::pair{"Ana", "Ana"}, std::pair{"abcdefgh", "abcdefgh"},
                    std::pair{"abcdefghi", "abcdefghi"}, std::pair{"abcdefghij", "abcdefghi"},
                    std::pair{"ABCDEFGHIJKLMNOP", "ABCDEFGHI"}, std::pair{"WWWxyz", "WWW"},
                    std::pair{std::string("a\0\0b\0c", 6), "abc"},
                    std::pair{std::string("\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0z", 16), "z"},
                    std::pair{"H\xE9l\xE8ne\xB0xyz", "H\xE9l\xE8ne\xB0xy"}));

}  // namespace
