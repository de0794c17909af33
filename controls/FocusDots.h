#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace tallix {

// The keyboard focus of the controls that the toolkit draws (the link, the
// list's entries), drawn as the push buttons draw theirs: a rectangle of
// dots, every second pixel, here on the edges of rect, in the colour of the
// text it surrounds so that it is as readable as that text.
void DrawFocusDots(QPainter& painter, const QRect& rect, const QColor& color);

} // namespace tallix
