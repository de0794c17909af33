#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tallix {

double ScreenLogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : kStandardDpi;
}

namespace {

// Rounded half away from zero, and held to the int range: a position beyond
// it has no pixel, and converting it unchecked would be undefined.
int ToPixels(double twips, double dpi) {
    const double pixels = std::round(twips * dpi / kTwipsPerInch);
    return static_cast<int>(std::clamp(pixels, double(std::numeric_limits<int>::min()),
                                       double(std::numeric_limits<int>::max())));
}

} // namespace

int TwipsToPixels(int twips, double dpi) {
    return ToPixels(twips, dpi);
}

// The far edges are summed in double, where no int can overflow; the size
// in pixels is taken in 64 bits for the same reason.
QRect TwipsToPixels(const QRect& twips, double dpi) {
    const int left = ToPixels(twips.x(), dpi);
    const int top = ToPixels(twips.y(), dpi);
    const int right = ToPixels(double(twips.x()) + twips.width(), dpi);
    const int bottom = ToPixels(double(twips.y()) + twips.height(), dpi);
    const auto extent = [](int from, int to) {
        return int(std::clamp<qint64>(qint64(to) - from, std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max()));
    };
    return QRect(left, top, extent(left, right), extent(top, bottom));
}

} // namespace tallix
