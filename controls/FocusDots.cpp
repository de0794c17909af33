#include "controls/FocusDots.h"

#include <QPainter>
#include <QPen>

namespace tallix {

void DrawFocusDots(QPainter& painter, const QRect& rect, const QColor& color) {
    QPen dots(color, 0); // cosmetic: one pixel wide at any scale
    dots.setDashPattern({1, 1});
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(dots);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
    painter.restore();
}

} // namespace tallix
