#pragma once

#include <QRect>

namespace tallix {

// Layouts are written in twips: 1440 to the inch, so 15 to the pixel at
// 96 dots per inch. Converting at the screen's logical DPI keeps a window's
// proportions with its fonts on a high-DPI screen.
inline constexpr int kTwipsPerInch = 1440;

// The logical DPI of the primary screen, or 96 when there is no screen.
double ScreenLogicalDpi();

// Rounded to the nearest pixel.
int TwipsToPixels(int twips, double dpi);

// Converts the edges rather than the size, so that controls that touch in
// twips still touch in pixels.
QRect TwipsToPixels(const QRect& twips, double dpi);

} // namespace tallix
