// What assistive technology sees of the link: a link named by its text,
// focusable and marked as a link, whose press action activates it as a click
// or Enter does.
#include "controls/LinkLabel.h"

#include <QAccessibleWidget>
#include <QTimer>

namespace tallix {

namespace {

class LinkLabelAccessible : public QAccessibleWidget {
public:
    explicit LinkLabelAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return link()->text();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        return state;
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction()) {
            // Activated once the request has been answered, whatever the
            // window does on activation, as the push buttons are clicked.
            QTimer::singleShot(0, link(), [link = link()] { emit link->Activated(); });
        } else {
            QAccessibleWidget::doAction(actionName);
        }
    }

private:
    LinkLabel* link() const { return static_cast<LinkLabel*>(widget()); }
};

QAccessibleInterface* CreateLinkLabelAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()) && object &&
        object->isWidgetType()) {
        return new LinkLabelAccessible(static_cast<LinkLabel*>(object));
    }
    return nullptr;
}

} // namespace

void LinkLabel::InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&CreateLinkLabelAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tallix
