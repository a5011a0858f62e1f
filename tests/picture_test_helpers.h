// Reading pictures back in the tests of the view and the ranking panel: colours as
// 0x00RRGGBB words, a platform with the main window and the play area open, and the
// start-up pictures built from a fixed seed so that every run draws the same grain.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/core.h"
#include "platform/platform.h"
#include "tests/pixel_scan.h"
#include "view/view.h"

constexpr std::uint32_t Rgb(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red << 16 | green << 8 | blue);
}
constexpr int Red(std::uint32_t word) {
    return static_cast<int>(word >> 16 & 0xFF);
}
constexpr int Green(std::uint32_t word) {
    return static_cast<int>(word >> 8 & 0xFF);
}
constexpr int Blue(std::uint32_t word) {
    return static_cast<int>(word & 0xFF);
}

constexpr std::uint32_t White = Rgb(255, 255, 255);
constexpr std::uint32_t Black = Rgb(0, 0, 0);
constexpr std::uint32_t ArtworkSeed = 20240601;

constexpr int PlayAreaX = 200;  // window pixels
constexpr int PlayAreaY = 55;
constexpr int PlayAreaWidth = 320;
constexpr int PlayAreaHeight = 535;

inline std::uint32_t ImagePixel(int number, int x, int y) {
    return PixelAt(ImageTarget(number), x, y);
}
inline std::uint32_t SpritePixel(int number, int x, int y) {
    return PixelAt(SpriteTarget(number), x, y);
}
inline std::uint32_t WindowPixel(int x, int y) {
    return PixelAt(WindowTarget(), x, y);
}

// Colour text, so that a failing comparison names the colours.
inline std::string ColourText(std::uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "(%d,%d,%d)", Red(word), Green(word), Blue(word));
    return text;
}

// Compares a width × height region pixel by pixel, each side read by its own function of
// (x, y); reports the first few differences and returns how many there are.
int Differences(int width, int height, const PixelSource& actual, const PixelSource& expected);

// What MeasureText gives the text in the font, measured on a scratch image (number 40).
int MeasuredWidth(std::string_view face, int size, int flags, std::string_view text);

// Every case opens the window and its play area and builds the start-up pictures anew,
// so that no case depends on what another drew.
class PictureTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    Handle window = 0;
};

// Saves a picture for a person to look at when QUICKSTACK_PICTURES names a folder.
void SaveForViewing(Target target, const std::string& name);
