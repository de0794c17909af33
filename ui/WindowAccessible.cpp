#include "ui/WindowAccessible.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QWidget>

namespace tallix {

namespace {

constexpr const char* kDecorativeProperty = "tallixDecorative";

// A window whose children, as assistive technology sees them, are its child
// widgets less the decorative ones; QAccessibleWidget names it by its title.
class FormAccessible : public QAccessibleWidget {
public:
    FormAccessible(QWidget* form, QAccessible::Role role) : QAccessibleWidget(form, role) {}

    int childCount() const override { return int(Children().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = Children();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children.at(index))
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == nullptr ? -1 : int(Children().indexOf(child->object()));
    }

private:
    // The base class's children, in its order: the child widgets that are not
    // windows of their own.
    QList<QWidget*> Children() const {
        QList<QWidget*> children;
        for (QWidget* child : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow() && !child->property(kDecorativeProperty).toBool()) {
                children.append(child);
            }
        }
        return children;
    }
};

// Asked for each class of an object from the most derived one up, so any
// class that has an interface of its own answers before QDialog or QWidget
// is reached.
QAccessibleInterface* CreateWindowAccessible(const QString& className, QObject* object) {
    if (!object->isWidgetType() || !static_cast<QWidget*>(object)->isWindow()) {
        return nullptr;
    }
    auto* window = static_cast<QWidget*>(object);
    if (className == QLatin1String(QDialog::staticMetaObject.className())) {
        return new FormAccessible(window, QAccessible::Dialog);
    }
    if (className == QLatin1String(QWidget::staticMetaObject.className())) {
        return new FormAccessible(window, QAccessible::Window);
    }
    return nullptr;
}

} // namespace

void InstallWindowAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&CreateWindowAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

void MarkDecorative(QWidget& control) {
    control.setProperty(kDecorativeProperty, true);
}

} // namespace tallix
