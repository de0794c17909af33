#include "ui/Contrast.h"

#include <array>
#include <cmath>

namespace tallix {

namespace {

// The fifth root of `value` in [0, 1], by Newton's method from above, where
// it only falls until it stands still.
constexpr double FifthRoot(double value) {
    double root = 1;
    for (;;) {
        const double next =
            root - (root * root * root * root * root - value) / (5 * root * root * root * root);
        if (next >= root) {
            return root;
        }
        root = next;
    }
}

// The share of light of each 8-bit sRGB channel value, undoing the gamma
// encoding, x^2.4 as (x^12)^(1/5). The compiler builds the table, so no power
// function runs, nor is paged in, while the window starts.
constexpr std::array<double, 256> LinearChannels() {
    std::array<double, 256> shares{};
    for (int channel = 0; channel < 256; ++channel) {
        const double encoded = channel / 255.0;
        const double base = (encoded + 0.055) / 1.055;
        const double squared = base * base;
        shares[channel] =
            encoded <= 0.04045
                ? encoded / 12.92
                : FifthRoot(squared * squared * squared * squared * squared * squared);
    }
    return shares;
}
constexpr std::array<double, 256> kLinearChannels = LinearChannels();

double RelativeLuminance(const QColor& color) {
    return 0.2126 * kLinearChannels[color.red()] + 0.7152 * kLinearChannels[color.green()] +
           0.0722 * kLinearChannels[color.blue()];
}

// `share` of 255 steps of the way from `from` to `to`, channel by channel.
QColor Blend(const QColor& from, const QColor& to, int share) {
    const auto channel = [share](int a, int b) {
        return a + int(std::lround(double(b - a) * share / 255.0));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double first = RelativeLuminance(a) + 0.05;
    const double second = RelativeLuminance(b) + 0.05;
    return first > second ? first / second : second / first;
}

QColor ReadableOn(const QColor& color, const QColor& against) {
    const QColor end = ContrastRatio(Qt::black, against) >= ContrastRatio(Qt::white, against)
                           ? QColor(Qt::black)
                           : QColor(Qt::white);
    // Each step moves every channel towards the end, so the luminance only
    // grows (or only falls) and the first step that is readable is the
    // nearest; the last step is the end itself.
    for (int share = 0; share < 255; ++share) {
        const QColor step = Blend(color, end, share);
        if (ContrastRatio(step, against) >= kReadableContrast) {
            return step;
        }
    }
    return end;
}

} // namespace tallix
