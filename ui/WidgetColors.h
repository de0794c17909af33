#pragma once

#include <QColor>

class QWidget;

namespace tallix {

// The background a control paints behind its content (labels, option
// buttons) or under its text (edit and list boxes).
void SetBackColor(QWidget& widget, const QColor& color);

// The colour of a control's text, or of a line.
void SetForeColor(QWidget& widget, const QColor& color);

} // namespace tallix
