// Pixel memory shared by images, sprites, the play area's back buffer and the window's
// surface: width × height words of 0x00RRGGBB, rows back to back, the top byte always 0.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Picture() = default;
    Picture(int w, int h, std::uint32_t fill = 0);

    QRect Bounds() const { return {0, 0, width, height}; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint32_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    const std::uint32_t* Row(int y) const {
        return pixels.data() + static_cast<std::size_t>(y) * width;
    }
    std::uint32_t At(int x, int y) const { return Contains(x, y) ? Row(y)[x] : 0; }
    void Set(int x, int y, std::uint32_t rgb) {
        if (Contains(x, y)) {
            Row(y)[x] = rgb & 0xFFFFFF;
        }
    }
    void Fill(const QRect& area, std::uint32_t rgb);
    // How a source's pixels are laid: copied, copied but for the exactly black ones, or
    // ANDed with the pixels they cover.
    enum class Lay { Copy, Keyed, And };
    // Lays `source` with its top-left corner at (x, y), cut off at this picture's edges.
    void Blit(const Picture& source, int x, int y, Lay lay = Lay::Copy);
    void Tile(const Picture& pattern);
    // A view for Qt to read; valid while this picture is neither resized nor destroyed.
    QImage View() const;
    // A copy of `area` for Qt to put on screen, every pixel opaque.
    QImage Shown(const QRect& area) const;
};

// Creating a picture larger than this many pixels fails.
constexpr long long LargestPicture = 1 << 26;
constexpr bool PictureSizeAllowed(int width, int height) {
    return width > 0 && height > 0 && static_cast<long long>(width) * height <= LargestPicture;
}

// Packed colours of the game are 0x00BBGGRR; pictures hold 0x00RRGGBB.
constexpr std::uint32_t RgbOfPacked(std::int32_t packed) {
    const auto c = static_cast<std::uint32_t>(packed);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// One rounded rectangle, right and bottom exclusive, as horizontal pixel runs: the pixels
// whose centres lie inside the rectangle with its corners cut by quarter ellipses of
// ellipseWidth × ellipseHeight (the geometry of GDI's rounded rectangles).
struct Run {
    int y, left, right;  // right exclusive
};
std::vector<Run> RoundRectRuns(int left, int top, int right, int bottom, int ellipseWidth,
                               int ellipseHeight);
