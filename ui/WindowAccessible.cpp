#include "ui/WindowAccessible.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace tallix {

namespace {

// Asked for each class of an object from the most derived one up, so any
// class that has an interface of its own answers before QWidget is reached.
// QAccessibleWidget names a window by its title.
QAccessibleInterface* CreateWindowAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(QWidget::staticMetaObject.className()) ||
        !object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    return widget->isWindow() ? new QAccessibleWidget(widget, QAccessible::Window) : nullptr;
}

} // namespace

void InstallWindowAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&CreateWindowAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tallix
