#include "platform/picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

Picture::Picture(int w, int h, std::uint32_t fill)
    : width(std::max(w, 0)),
      height(std::max(h, 0)),
      pixels(static_cast<std::size_t>(width) * height, fill) {}

void Picture::Fill(const QRect& area, std::uint32_t rgb) {
    const QRect cut = area & Bounds();
    for (int y = cut.top(); y <= cut.bottom(); ++y) {
        std::fill_n(Row(y) + cut.left(), cut.width(), rgb & 0xFFFFFF);
    }
}

void Picture::Blit(const Picture& source, int x, int y, Lay lay) {
    const QRect cut = QRect(x, y, source.width, source.height) & Bounds();
    for (int row = cut.top(); row <= cut.bottom(); ++row) {
        const std::uint32_t* from = source.Row(row - y) + (cut.left() - x);
        std::uint32_t* to = Row(row) + cut.left();
        switch (lay) {
            case Lay::Copy:
                std::memmove(to, from, static_cast<std::size_t>(cut.width()) * 4);
                break;
            case Lay::Keyed:
                for (int i = 0; i < cut.width(); ++i) {
                    if ((from[i] & 0xFFFFFF) != 0) {
                        to[i] = from[i];
                    }
                }
                break;
            case Lay::And:
                for (int i = 0; i < cut.width(); ++i) {
                    to[i] &= from[i];
                }
                break;
        }
    }
}

void Picture::Tile(const Picture& pattern) {
    if (pattern.width <= 0 || pattern.height <= 0) {
        return;
    }
    for (int y = 0; y < height; y += pattern.height) {
        for (int x = 0; x < width; x += pattern.width) {
            Blit(pattern, x, y);
        }
    }
}

QImage Picture::View() const {
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), width, height, width * 4,
                  QImage::Format_RGB32);
}

// Qt's 32-bit RGB wants the top byte 0xFF: copied onto a surface with an alpha channel, as
// on native Wayland, a pixel keeps it as its opacity, and 0 would let the desktop through.
QImage Picture::Shown(const QRect& area) const {
    QImage shown(area.size(), QImage::Format_RGB32);
    const QRect cut = area & Bounds();
    if (cut != area) {
        shown.fill(Qt::black);
    }
    for (int y = cut.top(); y <= cut.bottom(); ++y) {
        const std::uint32_t* from = Row(y) + cut.left();
        auto* to =
            reinterpret_cast<QRgb*>(shown.scanLine(y - area.top())) + (cut.left() - area.left());
        for (int x = 0; x < cut.width(); ++x) {
            to[x] = from[x] | 0xFF000000;
        }
    }
    return shown;
}

std::vector<Run> RoundRectRuns(int left, int top, int right, int bottom, int ellipseWidth,
                               int ellipseHeight) {
    std::vector<Run> runs;
    if (right <= left || bottom <= top) {
        return runs;
    }
    const double rx = std::clamp(ellipseWidth, 0, right - left) / 2.0;
    const double ry = std::clamp(ellipseHeight, 0, bottom - top) / 2.0;
    for (int y = top; y < bottom; ++y) {
        const double centre = y + 0.5;
        double dy = 0;
        if (centre < top + ry) {
            dy = top + ry - centre;
        } else if (centre > bottom - ry) {
            dy = centre - (bottom - ry);
        }
        double inset = 0;
        if (dy > 0 && ry > 0) {
            const double t = dy / ry;
            inset = rx - rx * std::sqrt(std::max(0.0, 1 - t * t));
        }
        // A pixel belongs when its centre x + 0.5 lies within [left + inset, right - inset].
        const int from = static_cast<int>(std::ceil(left + inset - 0.5));
        const int to = static_cast<int>(std::floor(right - inset - 0.5)) + 1;
        if (to > from) {
            runs.push_back({y, from, to});
        }
    }
    return runs;
}
