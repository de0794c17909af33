#pragma once

#include <QColor>

namespace tallix {

// How far apart a text colour and its background must stand. 4.5:1 is the
// usual least figure for text of ordinary size, but small antialiased text
// seldom shows its colour at full strength, light strokes on a dark ground
// least of all, so the colours themselves are held to more.
inline constexpr double kReadableContrast = 5.0;

// How far two colours stand apart in relative luminance: from 1 (equally
// light) to 21 (black and white), whichever is given first.
double ContrastRatio(const QColor& a, const QColor& b);

// `color` itself where it stands kReadableContrast apart from `against`;
// otherwise the colour nearest to it, on the straight way to black or to
// white, that does, or that end itself where not even it does. The way leads
// to whichever end stands further apart from `against`: their two ratios
// multiply to 21, so that end stands at least 4.58:1 apart. On the way to
// black the hue stays as it was.
QColor ReadableOn(const QColor& color, const QColor& against);

} // namespace tallix
