#pragma once

#include <QRect>

namespace tallix {

// Layouts are written in twips: 1440 to the inch, so 15 to the pixel at
// 96 dots per inch. Converting at the screen's logical DPI keeps a window's
// proportions with its fonts on a high-DPI screen.
inline constexpr int kTwipsPerInch = 1440;

// The logical DPI of a screen at its plain scale, which the layouts were
// drawn for, and the twips of one of its pixels.
inline constexpr int kStandardDpi = 96;
inline constexpr int kTwipsPerStandardPixel = kTwipsPerInch / kStandardDpi;
static_assert(kTwipsPerInch % kStandardDpi == 0, "a standard pixel is whole twips");

// The container of a custom control keeps its size in hundredths of a
// millimetre, 2540 to the inch.
inline constexpr double TwipsToHundredthsOfMm(int twips) {
    return twips * 2540.0 / kTwipsPerInch;
}

// The logical DPI of the primary screen, or kStandardDpi when there is no screen.
double ScreenLogicalDpi();

// Rounded to the nearest pixel.
int TwipsToPixels(int twips, double dpi);

// Converts the edges rather than the size, so that controls that touch in
// twips still touch in pixels.
QRect TwipsToPixels(const QRect& twips, double dpi);

} // namespace tallix
