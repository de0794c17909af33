#pragma once

#include <QAccessible>
#include <QAccessibleWidget>

namespace tallix {

// What assistive technology sees of a control that is pressed like a button:
// its accessible name, or the text it shows where it has none, and a press
// action. The press comes once the request has been answered, as with the
// toolkit's own buttons: one that opens a modal box would otherwise hold the
// screen reader's request until the box closes.
class PressableAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

protected:
    virtual QString ShownText() const = 0;
    virtual void Press() = 0;
};

// Registers Interface as what assistive technology sees of every Widget,
// once per program.
template <typename Interface, typename Widget> void InstallAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString& className, QObject* object) -> QAccessibleInterface* {
                // The class name of the object's meta-object, namespace included.
                if (className == QLatin1String(Widget::staticMetaObject.className()) && object &&
                    object->isWidgetType()) {
                    return new Interface(static_cast<Widget*>(object));
                }
                return nullptr;
            });
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tallix
