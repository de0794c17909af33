#include "ui/WidgetColors.h"

#include "ui/Contrast.h"

#include <QPalette>
#include <QWidget>

#include <array>
#include <utility>

namespace tallix {

namespace {

// Each colour the palette draws text with, or that text is drawn on, and
// the colour it must stand apart from. A selection keeps the desktop's
// colour for its text and gives way in its highlight, so that it still
// looks like the desktop's other selections.
constexpr std::array<std::pair<QPalette::ColorRole, QPalette::ColorRole>, 4> kReadablePairs = {{
    {QPalette::WindowText, QPalette::Window},
    {QPalette::Text, QPalette::Base},
    {QPalette::ButtonText, QPalette::Button},
    {QPalette::Highlight, QPalette::HighlightedText},
}};

void SetReadablePalette(QWidget& widget, QPalette palette) {
    // Disabled text is meant to recede, so only what can be used is checked.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const auto& [role, against] : kReadablePairs) {
            palette.setColor(group, role,
                             ReadableOn(palette.color(group, role), palette.color(group, against)));
        }
    }
    widget.setPalette(palette);
}

} // namespace

void SetBackColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    // Buttons, option buttons among them, fill their background with the
    // Button role rather than Window.
    palette.setColor(widget.backgroundRole(), color);
    SetReadablePalette(widget, palette);
    widget.setAutoFillBackground(true);
}

void SetForeColor(QWidget& widget, const QColor& color) {
    QPalette palette = widget.palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, color);
    }
    SetReadablePalette(widget, palette);
}

} // namespace tallix
