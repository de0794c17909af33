#pragma once

#include "platform/Drawing.h"

#include <QImage>
#include <QRect>

#include <cstdlib>
#include <set>
#include <utility>

// Pixel-level helpers for the painting tests: images are compared as sets of
// logical pixels, so a failure names the pixels that differ.
namespace tallix::testing {

using PixelSet = std::set<std::pair<int, int>>;

// The logical pixels of image whose colour (0x00BBGGRR) satisfies keep(colour).
inline PixelSet PixelsWhere(const QImage& image, auto keep) {
    PixelSet pixels;
    const QSize size = image.deviceIndependentSize().toSize();
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (keep(GetPixel(image, {x, y}))) {
                pixels.insert({x, y});
            }
        }
    }
    return pixels;
}

inline PixelSet Rectangle(const QRect& rect) {
    PixelSet pixels;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            pixels.insert({x, y});
        }
    }
    return pixels;
}

// Whether every colour channel of a and b (0x00BBGGRR) differs by at most tolerance.
inline bool ChannelsWithin(quint32 a, quint32 b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

} // namespace tallix::testing
