#include "tests/picture_test_helpers.h"

#include <cstdlib>

void PictureTest::SetUp() {
    ASSERT_TRUE(InitPlayAreaSystem());
    window = OpenMainWindow(0, 0, 0, 800, 600, WindowCentred | WindowBorderless, "Quickstack");
    ASSERT_NE(window, 0);
    ASSERT_TRUE(OpenPlayArea(window, PlayAreaX, PlayAreaY, PlayAreaWidth, PlayAreaHeight));
    Random random;
    random.SeedRandom(ArtworkSeed);
    BuildStaticArtwork(random);
    BuildGameSprites();
    MakeBlockSprites();
}

void PictureTest::TearDown() {
    ShutdownPlatform();
}

void SaveForViewing(Target target, const std::string& name) {
    if (const char* folder = std::getenv("QUICKSTACK_PICTURES")) {
        SaveTargetPng(target, std::string(folder) + "/" + name + ".png");
    }
}

int Differences(int width, int height, const PixelSource& actual, const PixelSource& expected) {
    constexpr int Reported = 5;
    int reported = 0;
    return CountPixels({0, 0, width, height}, actual, [&](int x, int y, std::uint32_t got) {
        const std::uint32_t want = expected(x, y);
        if (got != want && ++reported <= Reported) {
            ADD_FAILURE() << "(" << x << "," << y << ") is " << ColourText(got) << ", not "
                          << ColourText(want);
        }
        return got != want;
    });
}

int MeasuredWidth(std::string_view face, int size, int flags, std::string_view text) {
    constexpr int Scratch = 40;
    NewImage(Scratch, 10, 10);
    BeginDrawing(ImageTarget(Scratch));
    SelectFont(OpenFont(0, face, size, flags));
    const int width = MeasureText(text);
    EndDrawing();
    return width;
}
