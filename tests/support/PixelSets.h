#pragma once

#include "Drawing.h"

#include <QImage>
#include <QRect>

#include <set>
#include <utility>

// Pixel-level helpers for the drawing and painting tests: images are compared
// as sets of logical pixels, so a failure names the pixels that differ.
namespace tallix::testing {

using PixelSet = std::set<std::pair<int, int>>;

// A background that none of the colours under test equals.
inline constexpr quint32 Paper = 0x123456;

inline QImage Canvas(int width, int height, double ratio = 1.0) {
    QImage image(qRound(width * ratio), qRound(height * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(ToRgb(Paper));
    return image;
}

// The logical pixels of image whose colour satisfies keep(colour).
template <typename Keep> PixelSet PixelsWhere(const QImage& image, Keep keep) {
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

inline PixelSet Painted(const QImage& image) {
    return PixelsWhere(image, [](quint32 colour) { return colour != Paper; });
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
        const int difference = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance) {
            return false;
        }
    }
    return true;
}

} // namespace tallix::testing
