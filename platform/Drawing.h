#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSizeF>
#include <QString>

// Drawing primitives over an image: the button's surface or a hidden picture
// buffer. Coordinates are the image's logical pixels; on an image with a
// device pixel ratio of 2 every logical pixel is a 2x2 block of device
// pixels, so one-pixel lines stay crisp. Nothing is antialiased. A null
// image, an empty rectangle or a point outside the image draws nothing.
namespace tallix {

// The program's colours are 0x00BBGGRR (red in the low byte); the top byte
// is ignored. These two are the only conversions to and from Qt's colours.
inline QRgb ToRgb(quint32 bgr) {
    return qRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
inline quint32 ToBgr(QRgb rgb) {
    return quint32(qRed(rgb)) | quint32(qGreen(rgb)) << 8 | quint32(qBlue(rgb)) << 16;
}

// What a pixel read returns outside the image; no 0x00BBGGRR colour equals it.
inline constexpr quint32 InvalidColor = 0xFFFFFFFF;

// One corner of a gradient: a position and 16-bit colour channels whose high
// byte is the 8-bit component (the low byte is ignored).
struct TriVertex {
    qint32 x = 0;
    qint32 y = 0;
    qint16 Red = 0;
    qint16 Green = 0;
    qint16 Blue = 0;
    qint16 Alpha = 0;
};

enum class GradientMode { Horizontal = 0, Vertical = 1 };

// Fills the rectangle from upperLeft up to, but excluding, lowerRight's x and
// y, interpolating linearly from upperLeft's colour to lowerRight's along the
// mode's axis: the first column (row) has the start colour exactly, the last
// one is within one step of the end colour. Any other mode draws nothing.
void GradientFill(QImage& image, const TriVertex& upperLeft, const TriVertex& lowerRight, int mode);

// The outline of the rounded rectangle from (left, top) up to, but excluding,
// (right, bottom), as GDI draws it with a one-pixel pen: the outline lies on
// columns left and right-1 and rows top and bottom-1. The corners follow an
// ellipse ellipseWidth wide and ellipseHeight high (no larger than the
// rectangle; 0 or less gives square corners). The interior is untouched.
void DrawRoundRect(QImage& image, int left, int top, int right, int bottom, int ellipseWidth,
                   int ellipseHeight, QRgb pen);

// The area of the same rounded rectangle, right and bottom edges excluded:
// a pixel belongs to it when its centre lies inside the rounded shape, so
// the corner pixel of any corner rounded by an ellipse of 4 or more is out.
QRegion RoundRectRegion(int left, int top, int right, int bottom, int ellipseWidth,
                        int ellipseHeight);

// A one-pixel horizontal or vertical line, as GDI draws it: the start point
// is set, the end point is not. A slanted line draws nothing (no caller needs
// one).
void DrawLine(QImage& image, QPoint from, QPoint to, QRgb colour);

void SetPixel(QImage& image, QPoint point, QRgb colour);

// The colour of a logical pixel, or InvalidColor outside the image.
quint32 GetPixel(const QImage& image, QPoint point);

// The width and height of text in font at the image's logical DPI, in twips.
QSizeF MeasureTextTwips(const QImage& image, const QFont& font, const QString& text);

// Twips per logical pixel of the image (15 at 96 dots per inch).
double TwipsPerPixel(const QImage& image);

// Prints text with its top-left corner at topLeft (logical pixels, which may
// be fractional), in font and colour, leaving the background as it is. The
// glyphs are not antialiased, so every pixel they cover takes the colour.
void DrawText(QImage& image, QPointF topLeft, const QString& text, const QFont& font, QRgb colour);

// The two raster operations of a bit-block transfer, applied per channel.
enum class RasterOp { SrcAnd, SrcPaint };

// Combines the width x height pixels of source from (0, 0) into image at
// (x, y): destination AND source, or destination OR source, per colour
// channel. Each source pixel covers one logical pixel of the image; the
// rectangle is clipped to both images.
void BitBlt(QImage& image, int x, int y, int width, int height, const QImage& source, RasterOp op);

} // namespace tallix
