#include "ui/WidgetColors.h"

#include <QPalette>
#include <QWidget>

namespace tallix {

void SetBackColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    // Buttons, option buttons among them, fill their background with the
    // Button role rather than Window.
    palette.setColor(widget.backgroundRole(), color);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void SetForeColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, color);
    }
    widget.setPalette(palette);
}

} // namespace tallix
