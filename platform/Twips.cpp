#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace tallix {

double ScreenLogicalDpi() {
    constexpr double kFallbackDpi = 96.0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : kFallbackDpi;
}

int TwipsToPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

QRect TwipsToPixels(const QRect& twips, double dpi) {
    const int left = TwipsToPixels(twips.x(), dpi);
    const int top = TwipsToPixels(twips.y(), dpi);
    const int right = TwipsToPixels(twips.x() + twips.width(), dpi);
    const int bottom = TwipsToPixels(twips.y() + twips.height(), dpi);
    return QRect(left, top, right - left, bottom - top);
}

} // namespace tallix
