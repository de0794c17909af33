#pragma once

#include <QColor>

#include <algorithm>
#include <cmath>

namespace tallix::testing {

// The contrast ratio of two colours as accessibility guidelines define it:
// (L1 + 0.05) / (L2 + 0.05) of their relative luminances, lighter first;
// 1 for equal colours, 21 for black on white.
inline double ContrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& color) {
        const auto linear = [](double channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
               0.0722 * linear(color.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace tallix::testing
