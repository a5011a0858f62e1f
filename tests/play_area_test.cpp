#include "tests/platform_test_support.h"

namespace {

constexpr std::int32_t Red = PackColour(255, 0, 0);
constexpr std::int32_t Blue = PackColour(0, 0, 255);

class PlayAreaTest : public WindowTest {
  protected:
    // Sprite 14 fills the play area in blue; sprite 1 is 30 × 30 with a red column 10.
    void SetUp() override {
        WindowTest::SetUp();
        NewSprite(14, 320, 535);
        BeginDrawing(SpriteTarget(14));
        DrawBox(0, 0, 320, 535, Blue);
        EndDrawing();
        NewSprite(1, 30, 30);
        BeginDrawing(SpriteTarget(1));
        DrawBox(0, 0, 30, 30, PackColour(0, 255, 0));
        DrawLine(10, 0, 0, 30, Red);
        EndDrawing();
    }
    // The play area's pixel as the window shows it after a present.
    std::uint32_t Shown(int x, int y) const { return PixelAt(WindowTarget(), 200 + x, 55 + y); }
    void Compose(int x, int y, bool keyed = false) {
        ShowSprite(14, 0, 0);
        keyed ? ShowSpriteKeyed(1, x, y) : ShowSprite(1, x, y);
        PresentPlayArea();
    }
};

TEST_F(PlayAreaTest, SpritesNeedThePlayArea) {
    ShutdownPlatform();
    EXPECT_FALSE(NewSprite(1, 30, 30));
    EXPECT_EQ(BeginDrawing(SpriteTarget(1)), 0);
    EXPECT_EQ(PixelBuffer(), nullptr);
}

TEST_F(PlayAreaTest, SpriteMemoryIsRowsOf0x00RRGGBBWords) {
    ASSERT_TRUE(NewSprite(2, 7, 3));
    BeginDrawing(SpriteTarget(2));
    std::uint32_t* words = PixelBuffer();
    ASSERT_NE(words, nullptr);
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(words[i], 0u) << "a new sprite is black";
    }
    DrawBox(3, 1, 1, 1, PackColour(0x12, 0x34, 0x56));
    EXPECT_EQ(words[1 * 7 + 3], 0x123456u);
    words[2 * 7 + 6] = 0x00ABCDEF;
    EndDrawing();
    EXPECT_EQ(PixelAt(SpriteTarget(2), 6, 2), 0xABCDEFu);
}

TEST_F(PlayAreaTest, PixelMemoryIsOnlyForSprites) {
    NewImage(8, 10, 10);
    BeginDrawing(ImageTarget(8));
    EXPECT_EQ(PixelBuffer(), nullptr);
    BeginDrawing(WindowTarget());
    EXPECT_EQ(PixelBuffer(), nullptr);
    EndDrawing();
    EXPECT_EQ(PixelBuffer(), nullptr);
}

TEST_F(PlayAreaTest, PresentingPutsTheBackBufferAtThePlayAreasPlace) {
    Compose(100, 200);
    EXPECT_EQ(Shown(0, 0), 0x0000FFu);
    EXPECT_EQ(Shown(319, 534), 0x0000FFu);
    EXPECT_EQ(Shown(110, 200), 0xFF0000u);
    EXPECT_EQ(Shown(100, 200), 0x00FF00u);
    EXPECT_EQ(PixelAt(WindowTarget(), 199, 55), 0xF0F0F0u) << "the window around is untouched";
    EXPECT_EQ(PixelAt(WindowTarget(), 200, 54), 0xF0F0F0u);
    EXPECT_EQ(PixelAt(WindowTarget(), 520, 590), 0xF0F0F0u);
}

struct Clip {
    int x, y;          // where the sprite is shown
    int seenX, seenY;  // a play-area pixel that shows sprite column 10, or -1
};

void PrintTo(const Clip& clip, std::ostream* out) {
    *out << "at " << clip.x << "," << clip.y;
}

class ClippingTest : public PlayAreaTest, public testing::WithParamInterface<Clip> {};

TEST_P(ClippingTest, ASpriteIsCutAtTheBackBuffersEdges) {
    const Clip clip = GetParam();
    Compose(clip.x, clip.y);
    if (clip.seenX < 0) {
        for (int y = 0; y < 535; y += 7) {
            for (int x = 0; x < 320; ++x) {
                ASSERT_EQ(Shown(x, y), 0x0000FFu);
            }
        }
        return;
    }
    EXPECT_EQ(Shown(clip.seenX, clip.seenY), 0xFF0000u);
}

INSTANTIATE_TEST_SUITE_P(Edges, ClippingTest,
                         testing::Values(Clip{-10, 0, 0, 0}, Clip{-10, -29, 0, 0},
                                         Clip{300, 520, 310, 534}, Clip{0, -5, 10, 0},
                                         Clip{320, 0, -1, -1}, Clip{0, 535, -1, -1},
                                         Clip{-30, 0, -1, -1}, Clip{0, -30, -1, -1}));

TEST_F(PlayAreaTest, ShowingFromColumn10OnwardsAtTheLeftEdge) {
    Compose(-10, 0);
    EXPECT_EQ(Shown(0, 0), 0xFF0000u);
    EXPECT_EQ(Shown(1, 0), 0x00FF00u);
    EXPECT_EQ(Shown(19, 29), 0x00FF00u);
    EXPECT_EQ(Shown(20, 0), 0x0000FFu);
    EXPECT_EQ(Shown(0, 30), 0x0000FFu);
}

TEST_F(PlayAreaTest, AKeyedCopySkipsOnlyExactBlack) {
    BeginDrawing(SpriteTarget(1));
    DrawBox(0, 0, 30, 30, 0);
    PutPixel(5, 5, 0x000001);
    EndDrawing();
    Compose(0, 0, true);
    EXPECT_EQ(Shown(0, 0), 0x0000FFu);
    EXPECT_EQ(Shown(5, 5), 0x010000u);
    EXPECT_EQ(Shown(10, 0), 0x0000FFu) << "the red column was painted over";
    Compose(0, 0, false);
    EXPECT_EQ(Shown(0, 0), 0u);
}

TEST_F(PlayAreaTest, AMissingSpriteShowsNothing) {
    Compose(0, 0);
    ShowSprite(9, 0, 0);
    ShowSpriteKeyed(9, 0, 0);
    PresentPlayArea();
    EXPECT_EQ(Shown(10, 0), 0xFF0000u);
}

TEST_F(PlayAreaTest, PresentingTwiceShowsTheSameFrame) {
    Compose(40, 40);
    BeginDrawing(WindowTarget());
    DrawBox(200, 55, 320, 535, 0);
    EndDrawing();
    PresentPlayArea();
    EXPECT_EQ(Shown(50, 40), 0xFF0000u);
    EXPECT_EQ(Shown(0, 0), 0x0000FFu);
}

TEST_F(PlayAreaTest, PresentingHandlesNoMessage) {
    RecordMessages();
    Expose();
    ProcessQtEvents();
    PresentPlayArea();
    Pause(20);
    EXPECT_EQ(CountMessages(MsgRepaint), 0);
}

TEST_F(PlayAreaTest, APlayAreaNeedsTheWindow) {
    EXPECT_FALSE(OpenPlayArea(window + 1, 0, 0, 10, 10));
    EXPECT_FALSE(OpenPlayArea(0, 0, 0, 10, 10));
}

}  // namespace
