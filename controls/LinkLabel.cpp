#include "controls/LinkLabel.h"

#include "controls/FocusDots.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace tallix {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    InstallAccessibility();
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

// The text's box, one pixel larger on each side where the label has room.
QRect LinkLabel::FocusRect() const {
    const QRect text = style()->itemTextRect(fontMetrics(), contentsRect(), int(alignment()),
                                             isEnabled(), this->text());
    return text.adjusted(-1, -1, 1, 1).intersected(rect().adjusted(0, 0, -1, -1));
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    DrawFocusDots(painter, FocusRect(), palette().color(foregroundRole()));
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    const bool activates = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                           event->key() == Qt::Key_Space;
    if (!activates || event->modifiers() != Qt::NoModifier) {
        QLabel::keyPressEvent(event);
        return;
    }
    // A held key opens the link once.
    if (!event->isAutoRepeat()) {
        emit Activated();
    }
}

// A left button released over the link is a click.
void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit Activated();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace tallix
