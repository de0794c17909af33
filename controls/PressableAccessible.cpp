#include "controls/PressableAccessible.h"

#include <QTimer>
#include <QWidget>

namespace tallix {

QString PressableAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return ShownText();
    }
    return QAccessibleWidget::text(t);
}

QStringList PressableAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void PressableAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        // The widget is the timer's context: a press still queued when the
        // control goes (and this interface with it) is dropped.
        QTimer::singleShot(0, widget(), [this] { Press(); });
    } else {
        QAccessibleWidget::doAction(actionName);
    }
}

} // namespace tallix
