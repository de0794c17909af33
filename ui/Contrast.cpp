#include "ui/Contrast.h"

#include <cmath>

namespace tallix {

namespace {

// The share of light of one sRGB channel, undoing the gamma encoding.
double LinearChannel(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(const QColor& color) {
    return 0.2126 * LinearChannel(color.redF()) + 0.7152 * LinearChannel(color.greenF()) +
           0.0722 * LinearChannel(color.blueF());
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
