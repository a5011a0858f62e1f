// The pixel facts of tests/data/pixel_facts.txt, one test per check: the edges, frames
// and boxes of the pictures the program builds at start-up.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/picture_test_helpers.h"

namespace {

struct Fact {
    int line;
    std::string picture;
    Area area;  // read with both ends included, kept with right and bottom exclusive
    std::string colour;
};

struct Check {
    std::string name;
    std::vector<Fact> facts;
};

void PrintTo(const Check& value, std::ostream* os) {
    *os << value.name;
}

std::vector<Check> ReadChecks() {
    std::ifstream file(QUICKSTACK_TEST_DATA "/pixel_facts.txt");
    std::vector<Check> checks;
    std::string text;
    for (int line = 1; std::getline(file, text); ++line) {
        std::istringstream row(text);
        std::string name;
        Fact fact{line, {}, {}, {}};
        if (!(row >> name) || name[0] == '#') {
            continue;
        }
        row >> fact.picture >> fact.area.left >> fact.area.top >> fact.area.right >>
            fact.area.bottom >> fact.colour;
        ++fact.area.right;
        ++fact.area.bottom;
        if (checks.empty() || checks.back().name != name) {
            checks.push_back({name, {}});
        }
        checks.back().facts.push_back(fact);
    }
    return checks;
}

bool IsGrain(std::uint32_t pixel) {
    const bool light = Red(pixel) == Green(pixel) && Green(pixel) == Blue(pixel) &&
                       Red(pixel) >= 150 && Red(pixel) <= 180;
    const bool blue = Red(pixel) == Green(pixel) && Blue(pixel) == Red(pixel) + 30 &&
                      Red(pixel) >= 120 && Red(pixel) <= 150;
    return light || blue;
}

// A frame's rivet, its top-left corner at (0, 0): '?' is anything.
const char* const Stud[] = {"WWWB", "W??B", "W??B", "BBBB"};

bool Holds(const Fact& fact, int x, int y, std::uint32_t pixel) {
    if (fact.colour == "stud") {
        const char want = Stud[y - fact.area.top][x - fact.area.left];
        return want == '?' || pixel == (want == 'W' ? White : Black);
    }
    const std::map<std::string, bool (*)(std::uint32_t)> colours{
        {"white", [](std::uint32_t p) { return p == White; }},
        {"black", [](std::uint32_t p) { return p == Black; }},
        {"not_black", [](std::uint32_t p) { return p != Black; }},
        {"grain", IsGrain},
        {"value_box", [](std::uint32_t p) { return p == Rgb(100, 160, 100); }},
    };
    const auto colour = colours.find(fact.colour);
    return colour != colours.end() && colour->second(pixel);
}

std::optional<Target> PictureNamed(const std::string& name) {
    if (name == "backdrop_sprite") {
        return SpriteTarget(BackdropSprite);
    }
    if (name == "ranking_backdrop") {
        return ImageTarget(RankingBackdrop);
    }
    if (name == "game_panel") {
        return ImageTarget(GamePanelImage);
    }
    return std::nullopt;
}

class PixelFacts : public PictureTest, public ::testing::WithParamInterface<Check> {};

TEST_P(PixelFacts, Hold) {
    for (const Fact& fact : GetParam().facts) {
        const std::optional<Target> picture = PictureNamed(fact.picture);
        ASSERT_TRUE(picture.has_value()) << "line " << fact.line << ": no picture " << fact.picture;
        int reported = 0;
        const int faults =
            CountPixels(fact.area, PixelsOf(*picture), [&](int x, int y, std::uint32_t pixel) {
                const bool holds = Holds(fact, x, y, pixel);
                if (!holds && ++reported <= 3) {
                    ADD_FAILURE() << "line " << fact.line << ": (" << x << "," << y << ") is "
                                  << ColourText(pixel) << ", not " << fact.colour;
                }
                return !holds;
            });
        EXPECT_EQ(faults, 0) << "line " << fact.line;
    }
}

INSTANTIATE_TEST_SUITE_P(Checks, PixelFacts, ::testing::ValuesIn(ReadChecks()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
