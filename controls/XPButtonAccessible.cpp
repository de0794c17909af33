// What assistive technology sees of the button: a push button named by its
// accessible name, or by its caption when it has none (a window names the
// buttons whose caption is a sign or a letter), whose press action clicks
// it. The tool tip needs nothing here: the control is a plain widget, so
// QWidget::setToolTip shows it and QAccessibleWidget reports it as the
// description.
#include "controls/PressableAccessible.h"
#include "controls/XPButton.h"

namespace tallix {

class XPButtonAccessible : public PressableAccessible {
public:
    explicit XPButtonAccessible(XPButton* button)
        : PressableAccessible(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        // The control ignores every input while its own flag is off.
        state.disabled = state.disabled || !button()->Enabled();
        state.pressed = button()->bolPressed;
        return state;
    }

protected:
    QString ShownText() const override { return button()->Caption(); }
    void Press() override { button()->OnClick(); }

private:
    XPButton* button() const { return static_cast<XPButton*>(widget()); }
};

void XPButton::InstallAccessibility() {
    InstallAccessible<XPButtonAccessible, XPButton>();
}

} // namespace tallix
