// What assistive technology sees of the button: a push button named by its
// accessible name, or by its caption when it has none (a window names the
// buttons whose caption is a sign or a letter), whose press action clicks
// it. The tool tip needs nothing here: the control is a plain widget, so
// QWidget::setToolTip shows it and QAccessibleWidget reports it as the
// description.
#include "controls/XPButton.h"

#include <QAccessibleWidget>
#include <QTimer>

namespace tallix {

class XPButtonAccessible : public QAccessibleWidget {
public:
    explicit XPButtonAccessible(XPButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return button()->Caption();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        // The control ignores every input while its own flag is off.
        state.disabled = state.disabled || !button()->Enabled();
        state.pressed = button()->bolPressed;
        return state;
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction()) {
            // The click comes once the request has been answered, as with the
            // toolkit's own buttons: a click that opens a modal box would
            // otherwise hold the screen reader's request until the box closes.
            QTimer::singleShot(0, button(), [button = button()] { button->OnClick(); });
        } else {
            QAccessibleWidget::doAction(actionName);
        }
    }

private:
    XPButton* button() const { return static_cast<XPButton*>(widget()); }
};

namespace {

QAccessibleInterface* CreateXPButtonAccessible(const QString& className, QObject* object) {
    // The class name of the object's meta-object, namespace included.
    if (className == QLatin1String(XPButton::staticMetaObject.className()) && object &&
        object->isWidgetType()) {
        return new XPButtonAccessible(static_cast<XPButton*>(object));
    }
    return nullptr;
}

} // namespace

void XPButton::InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&CreateXPButtonAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tallix
