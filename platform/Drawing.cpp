#include "platform/Drawing.h"

#include "platform/Twips.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tallix {

namespace {

// Writing goes straight to 32-bit scan lines; a picture buffer that came in
// another format (indexed, 16-bit, ...) is converted once, in place.
bool MakeWritable(QImage& image) {
    if (image.isNull()) {
        return false;
    }
    const auto format = image.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied) {
        image.convertTo(QImage::Format_ARGB32);
    }
    return true;
}

// Device pixels covered by a logical rectangle. Both edges are rounded, so
// logical rectangles that touch map to device rectangles that touch, with
// no gap and no overlap, at any ratio.
QRect ToDevice(const QImage& image, const QRect& logical) {
    const double ratio = image.devicePixelRatio();
    const QPoint topLeft(qRound(logical.x() * ratio), qRound(logical.y() * ratio));
    const QPoint end(qRound((logical.x() + logical.width()) * ratio),
                     qRound((logical.y() + logical.height()) * ratio));
    return QRect(topLeft, end - QPoint(1, 1));
}

QRgb* PixelAt(QImage& image, int x, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y)) + x;
}

void FillLogical(QImage& image, const QRect& logical, QRgb colour) {
    if (!MakeWritable(image)) {
        return;
    }
    const QRect device = ToDevice(image, logical) & image.rect();
    for (int y = device.top(); y <= device.bottom(); ++y) {
        std::fill_n(PixelAt(image, device.left(), y), device.width(), colour | 0xFF000000);
    }
}

// A TRIVERTEX channel holds the 8-bit component in its high byte; the mix is
// done on all 16 bits and then cut to that byte.
QRgb Interpolate(const TriVertex& from, const TriVertex& to, int step, int steps) {
    const auto mix = [&](qint16 a, qint16 b) {
        const int start = quint16(a);
        return (start + (int(quint16(b)) - start) * step / steps) >> 8;
    };
    return qRgb(mix(from.Red, to.Red), mix(from.Green, to.Green), mix(from.Blue, to.Blue));
}

// Horizontal extent of one row of a rounded rectangle w x h whose corners
// follow an ellipse with radii a and b: the row covers [inset, w - inset).
int RowInset(int row, int h, double a, double b) {
    if (a <= 0 || b <= 0) {
        return 0;
    }
    const double centre = row + 0.5;
    const double dy = std::max({b - centre, centre - (h - b), 0.0});
    if (dy == 0) {
        return 0;
    }
    const double dx = a * std::sqrt(std::max(0.0, 1 - (dy / b) * (dy / b)));
    // The pixels whose centres lie left of the ellipse's edge, a - dx. Counted,
    // at most the corner's radius: std::ceil, in code built for size, is a
    // libm call that pages in part of libm at start-up.
    int inset = 0;
    while (inset + 0.5 < a - dx) {
        ++inset;
    }
    return inset;
}

// Row spans of the rounded rectangle, in its own coordinates.
struct RoundedShape {
    int width;
    int height;
    double a;
    double b;

    RoundedShape(int w, int h, int ellipseWidth, int ellipseHeight)
        : width(w), height(h), a(std::clamp(ellipseWidth, 0, std::max(w, 0)) / 2.0),
          b(std::clamp(ellipseHeight, 0, std::max(h, 0)) / 2.0) {}

    int Inset(int row) const { return RowInset(row, height, a, b); }
    bool Empty() const { return width <= 0 || height <= 0; }
};

// The outline pixels of one row: those with a 4-neighbour outside the shape.
// The shape is convex, so they form a run at each end of the row.
void DrawOutlineRow(QImage& image, const RoundedShape& shape, QPoint origin, int row, QRgb pen) {
    const int inset = shape.Inset(row);
    const int span = shape.width - 2 * inset;
    if (span <= 0) {
        return;
    }
    const bool edgeRow = row == 0 || row == shape.height - 1;
    const int neighbourInset =
        edgeRow ? shape.width : std::max(shape.Inset(row - 1), shape.Inset(row + 1));
    const int run = std::min(std::max(neighbourInset - inset, 1), (span + 1) / 2);
    const int y = origin.y() + row;
    FillLogical(image, QRect(origin.x() + inset, y, run, 1), pen);
    FillLogical(image, QRect(origin.x() + shape.width - inset - run, y, run, 1), pen);
}

} // namespace

void GradientFill(QImage& image, const TriVertex& upperLeft, const TriVertex& lowerRight,
                  int mode) {
    const bool vertical = mode == int(GradientMode::Vertical);
    if ((!vertical && mode != int(GradientMode::Horizontal)) || !MakeWritable(image)) {
        return;
    }
    const QRect logical(QPoint(upperLeft.x, upperLeft.y),
                        QPoint(lowerRight.x - 1, lowerRight.y - 1));
    if (logical.isEmpty()) {
        return;
    }
    // Interpolated per device pixel: a high-DPI face is smoother, not blockier.
    const QRect device = ToDevice(image, logical);
    const int steps = vertical ? device.height() : device.width();
    const QRect clipped = device & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const int step = vertical ? y - device.top() : x - device.left();
            *PixelAt(image, x, y) = Interpolate(upperLeft, lowerRight, step, steps);
        }
    }
}

void DrawRoundRect(QImage& image, int left, int top, int right, int bottom, int ellipseWidth,
                   int ellipseHeight, QRgb pen) {
    const RoundedShape shape(right - left, bottom - top, ellipseWidth, ellipseHeight);
    if (shape.Empty()) {
        return;
    }
    for (int row = 0; row < shape.height; ++row) {
        DrawOutlineRow(image, shape, QPoint(left, top), row, pen);
    }
}

QRegion RoundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight) {
    const RoundedShape shape(right - left, bottom - top, ellipseWidth, ellipseHeight);
    QRegion region;
    if (shape.Empty()) {
        return region;
    }
    for (int row = 0; row < shape.height; ++row) {
        const int inset = shape.Inset(row);
        region += QRect(left + inset, top + row, shape.width - 2 * inset, 1);
    }
    return region;
}

void DrawLine(QImage& image, QPoint from, QPoint to, QRgb colour) {
    if (from.x() != to.x() && from.y() != to.y()) {
        return;
    }
    // The pixels from `from` towards `to`, `to` itself left out.
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                      (to.y() > from.y()) - (to.y() < from.y()));
    if (step.isNull()) {
        return;
    }
    const QPoint last = to - step;
    const QPoint topLeft(std::min(from.x(), last.x()), std::min(from.y(), last.y()));
    const QPoint bottomRight(std::max(from.x(), last.x()), std::max(from.y(), last.y()));
    FillLogical(image, QRect(topLeft, bottomRight), colour);
}

void SetPixel(QImage& image, QPoint point, QRgb colour) {
    FillLogical(image, QRect(point, QSize(1, 1)), colour);
}

quint32 GetPixel(const QImage& image, QPoint point) {
    const QPoint device = ToDevice(image, QRect(point, QSize(1, 1))).topLeft();
    if (!image.rect().contains(device)) {
        return InvalidColor;
    }
    return ToBgr(image.pixel(device));
}

double TwipsPerPixel(const QImage& image) {
    const int dpi = image.logicalDpiX();
    return double(kTwipsPerInch) / (dpi > 0 ? dpi : kStandardDpi);
}

QSizeF MeasureTextTwips(const QImage& image, const QFont& font, const QString& text) {
    if (image.isNull()) {
        return {};
    }
    const QFontMetricsF metrics(font, &image);
    return QSizeF(metrics.horizontalAdvance(text), metrics.height()) * TwipsPerPixel(image);
}

void DrawText(QImage& image, QPointF topLeft, const QString& text, const QFont& font, QRgb colour) {
    if (!MakeWritable(image)) {
        return;
    }
    // Aliased like every other primitive: the ink is exactly the text colour.
    QFont aliased = font;
    aliased.setStyleStrategy(QFont::NoAntialias);
    // Painted through a view of the picture's pixels: a painter's engine
    // stays with the image it painted for as long as that image lives, and
    // every button's surface would keep one.
    QImage view(image.bits(), image.width(), image.height(), image.bytesPerLine(), image.format());
    view.setDotsPerMeterX(image.dotsPerMeterX());
    view.setDotsPerMeterY(image.dotsPerMeterY());
    view.setDevicePixelRatio(image.devicePixelRatio());
    QPainter painter(&view);
    painter.setFont(aliased);
    painter.setPen(QColor(colour));
    painter.drawText(topLeft + QPointF(0, painter.fontMetrics().ascent()), text);
}

void BitBlt(QImage& image, int x, int y, int width, int height, const QImage& source, RasterOp op) {
    const QRect area = QRect(0, 0, width, height) & source.rect();
    if (area.isEmpty() || !MakeWritable(image)) {
        return;
    }
    const double ratio = image.devicePixelRatio();
    const QRect device = ToDevice(image, area.translated(x, y));
    const QRect clipped = device & image.rect();
    for (int dy = clipped.top(); dy <= clipped.bottom(); ++dy) {
        const int sy = std::clamp(int((dy - device.top()) / ratio), 0, area.bottom());
        for (int dx = clipped.left(); dx <= clipped.right(); ++dx) {
            const int sx = std::clamp(int((dx - device.left()) / ratio), 0, area.right());
            QRgb& pixel = *PixelAt(image, dx, dy);
            const QRgb src = source.pixel(sx, sy) & RGB_MASK;
            pixel = op == RasterOp::SrcAnd ? (pixel & (src | ~RGB_MASK)) : (pixel | src);
        }
    }
}

} // namespace tallix
