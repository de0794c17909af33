#pragma once

#include <QColor>

class QWidget;

namespace tallix {

// Both setters keep every text of the widget readable: each text colour of
// its palette that stands less than kReadableContrast apart from the
// background it is drawn on moves towards black or white until it does
// (ReadableOn), and so does a selection's highlight against its text.
// Give a widget its background before its text colour: a colour moved to
// stand out from a dark background would be moved again, not restored, by a
// light one that comes after it.

// The background a control paints behind its content (labels, option
// buttons) or under its text (edit and list boxes).
void SetBackColor(QWidget& widget, const QColor& color);

// The colour of a control's text, or of a line.
void SetForeColor(QWidget& widget, const QColor& color);

} // namespace tallix
