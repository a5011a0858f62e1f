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
    int differences = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t want = expected(x, y);
            const std::uint32_t got = actual(x, y);
            if (got != want && ++differences <= Reported) {
                ADD_FAILURE() << "(" << x << "," << y << ") is " << ColourText(got) << ", not "
                              << ColourText(want);
            }
        }
    }
    return differences;
}

int CountPixels(int image, int left, int top, int right, int bottom,
                const std::function<bool(std::uint32_t)>& passes) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            count += passes(ImagePixel(image, x, y)) ? 1 : 0;
        }
    }
    return count;
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
