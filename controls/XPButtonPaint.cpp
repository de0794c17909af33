#include "controls/XPButton.h"

#include "controls/ModXPButton.h"
#include "controls/XPButtonLook.h"
#include "controls/clsGradient.h"
#include "platform/Drawing.h"
#include "platform/Twips.h"

#include <QPainter>

#include <cmath>
#include <optional>

namespace tallix {

namespace {

constexpr qint32 VerticalGradient = 1;
constexpr int IconMargin = 5;            // pixels between the icon and the left or right edge
constexpr double CaptionMargin = 100;    // twips between the caption and the left or right edge
constexpr double CaptionRaise = 20;      // twips the caption's centre sits above the control's
constexpr double MetresPerInch = 0.0254; // QImage keeps its resolution in dots per metre

// To the nearest whole number, halves to the even neighbour: the default
// rounding mode, which nothing in the program changes.
int RoundHalfEven(double value) {
    return int(std::lrint(value));
}

// Sizes the surface to the widget in device pixels at the screen's ratio, so
// one logical pixel is a block of whole device pixels, and clears it. Every
// paint starts from the background, as after the window system's own
// clearing: a style without a face keeps no trace of an earlier look.
void PrepareSurface(QImage& surface, QSize size, double ratio, QSize dpi,
                    const QColor& background) {
    const QSize device(qRound(size.width() * ratio), qRound(size.height() * ratio));
    if (surface.size() != device || surface.devicePixelRatio() != ratio) {
        surface = QImage(device, QImage::Format_RGB32);
        surface.setDevicePixelRatio(ratio);
    }
    // Fonts are sized at the widget's DPI, so captions measure as they print.
    surface.setDotsPerMeterX(qRound(dpi.width() / MetresPerInch));
    surface.setDotsPerMeterY(qRound(dpi.height() / MetresPerInch));
    surface.fill(background);
}

const XPButtonLook::StyleLook* LookOf(int colorStyle) {
    if (colorStyle < XPButton::csBlue || colorStyle > XPButton::csOlive) {
        return nullptr;
    }
    return &XPButtonLook::Styles[colorStyle - XPButton::csBlue];
}

void DrawFace(QImage& surface, QSize size, quint32 top, quint32 bottom) {
    clsGradient gradient;
    gradient.DefineRect(0, 0, size.width(), size.height());
    gradient.DrawGradient(surface, VerticalGradient, top, bottom);
}

void DrawRing(QImage& surface, QSize size, const XPButtonLook::RingLook& ring) {
    for (std::size_t i = 0; i < ring.lines; ++i) {
        const XPButtonLook::RingLine& line = XPButtonLook::RingLines[i];
        const QPoint from(line.x1.At(size.width()), line.y1.At(size.height()));
        const QPoint to(line.x2.At(size.width()), line.y2.At(size.height()));
        DrawLine(surface, from, to, ToRgb(ring.colors[i]));
    }
}

// Dots from start, every second pixel along step, while the coordinate that
// moves stays at most limit.
void DrawDotRun(QImage& surface, QPoint start, QPoint step, int limit) {
    for (QPoint dot = start; dot.x() * step.x() + dot.y() * step.y() <= limit; dot += 2 * step) {
        SetPixel(surface, dot, ToRgb(0));
    }
}

// The caption's left edge in twips for an alignment; none for an unknown one.
std::optional<double> CaptionX(int alignment, double controlWidth, double textWidth) {
    switch (alignment) {
    case XPButton::caCenter:
        return controlWidth / 2 - textWidth / 2;
    case XPButton::caRight:
        return controlWidth - textWidth - CaptionMargin;
    case XPButton::caLeft:
        return CaptionMargin;
    default:
        return std::nullopt;
    }
}

// The icon's left edge in pixels for an alignment; none for an unknown one.
std::optional<int> IconX(int alignment, int controlWidth, int pictureWidth) {
    switch (alignment) {
    case XPButton::iaLeft:
        return IconMargin;
    case XPButton::iaRight:
        return controlWidth - pictureWidth - IconMargin;
    default:
        return std::nullopt;
    }
}

// The icon's pair of transfers: the mask cuts the shape out of the face, the
// picture (black outside its shape) fills it in.
void BlitIcon(QImage& surface, QPoint at, const QImage& mask, const QImage& picture) {
    BitBlt(surface, at.x(), at.y(), mask.width(), mask.height(), mask, RasterOp::SrcAnd);
    BitBlt(surface, at.x(), at.y(), picture.width(), picture.height(), picture, RasterOp::SrcPaint);
}

} // namespace

void XPButton::DrawButton() {
    // The shape decides hit-testing and the hover poll, so it cannot wait.
    ApplyShape();
    surfaceStale_ = true;
    update();
}

void XPButton::ApplyShape() {
    // Applying an unchanged region would only schedule another paint.
    const QRegion shape = RoundRectRegion(0, 0, width(), height(), roundedValue_, roundedValue_);
    if (shape != mask()) {
        setMask(shape);
    }
}

const QImage& XPButton::Surface() const {
    // The screen's pixel ratio can change under a surface drawn earlier.
    if (surfaceStale_ || surface_.devicePixelRatio() != devicePixelRatioF()) {
        PaintSurface();
    }
    return surface_;
}

void XPButton::PaintSurface() const {
    surfaceStale_ = false;
    PrepareSurface(surface_, size(), devicePixelRatioF(), QSize(logicalDpiX(), logicalDpiY()),
                   palette().color(backgroundRole()));

    const XPButtonLook::StyleLook* look = LookOf(colorStyle_);
    if (look == nullptr) {
        if (bolHover && focusDottedRect_) {
            DrawFocusDots();
        }
        return;
    }
    if (!enabledFlag_) {
        DrawDisabledLook();
        return;
    }
    DrawFaceAndBorder(look->face.normalTop, look->face.normalBottom, look->face.border);
    DrawStateCues(*look);
    DrawIcon();
    textColor_ = QColor(ToRgb(foreColor_));
    DrawCaption(caption_, captionAlignment_);
}

void XPButton::DrawFaceAndBorder(quint32 top, quint32 bottom, quint32 border) const {
    DrawFace(surface_, size(), top, bottom);
    textColor_ = QColor(ToRgb(border));
    DrawRoundRect(surface_, 0, 0, width() - 1, height() - 1, roundedValue_, roundedValue_,
                  textColor_.rgb());
}

// The first matching state wins: hot, then focused, then pressed.
void XPButton::DrawStateCues(const XPButtonLook::StyleLook& look) const {
    if (bolHover && !bolPressed) {
        DrawRing(surface_, size(), look.hot);
    } else if (bolFocused && !bolPressed) {
        DrawRing(surface_, size(), look.focused);
        if (focusDottedRect_) {
            DrawFocusDots();
        }
    } else if (bolPressed) {
        DrawFaceAndBorder(look.face.pressedTop, look.face.pressedBottom, look.face.border);
        DrawRing(surface_, size(), look.pressed);
        if (bolFocused && focusDottedRect_) {
            DrawFocusDots();
        }
    }
}

void XPButton::DrawDisabledLook() const {
    using XPButtonLook::Disabled;
    DrawFaceAndBorder(Disabled.face, Disabled.face, Disabled.border);
    DrawIcon();
    textColor_ = QColor(ToRgb(Disabled.caption));
    DrawCaption(caption_, captionAlignment_);
}

void XPButton::DrawCaption(const QString& Text, int Alignment) const {
    const double twips = TwipsPerPixel(surface_);
    const QSizeF text = MeasureTextTwips(surface_, fontType_, Text);
    const double y = height() * twips / 2 - (text.height() / 2 + CaptionRaise);
    const std::optional<double> x = CaptionX(Alignment, width() * twips, text.width());
    if (!x) {
        return;
    }
    const QPointF at(RoundHalfEven(*x) / twips, RoundHalfEven(y) / twips);
    DrawText(surface_, at, Text, fontType_, textColor_.rgb());
}

void XPButton::DrawIcon() const {
    if (imgMask.isNull() || imgIcon.isNull()) {
        return;
    }
    const int y0 = RoundHalfEven(height() / 2.0 - imgIcon.height() / 2.0);
    if (enabledFlag_) {
        if (const auto x0 = IconX(iconAlignment_, width(), imgIcon.width())) {
            BlitIcon(surface_, {*x0, y0}, imgMask, imgIcon);
        }
        return;
    }
    // Rebuilt on every paint: the grey shape of the mask, transferred twice so
    // that the rectangle ends up holding exactly its pixels.
    imgDis = imgMask;
    ModXPButton::ReplaceColor(imgDis, 0, XPButtonLook::Disabled.icon);
    if (const auto x0 = IconX(iconAlignment_, width(), imgDis.width())) {
        BlitIcon(surface_, {*x0, y0}, imgDis, imgDis);
    }
}

void XPButton::DrawFocusDots() const {
    // The limits are taken once, before the runs.
    const int right = width() - 5;
    const int bottom = height() - 4;
    DrawDotRun(surface_, {3, 2}, {1, 0}, right);
    DrawDotRun(surface_, {2, 4}, {0, 1}, bottom);
    DrawDotRun(surface_, {3, height() - 4}, {1, 0}, right);
    DrawDotRun(surface_, {width() - 4, 4}, {0, 1}, bottom);
}

void XPButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), Surface());
}

void XPButton::resizeEvent(QResizeEvent* /*event*/) {
    DrawButton();
}

} // namespace tallix
