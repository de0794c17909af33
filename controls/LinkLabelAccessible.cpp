// What assistive technology sees of the link: a link named by its text,
// focusable and marked as a link, whose press action activates it as a click
// or Enter does.
#include "controls/LinkLabel.h"
#include "controls/PressableAccessible.h"

namespace tallix {

namespace {

class LinkLabelAccessible : public PressableAccessible {
public:
    explicit LinkLabelAccessible(LinkLabel* link) : PressableAccessible(link, QAccessible::Link) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        return state;
    }

protected:
    QString ShownText() const override { return link()->text(); }
    void Press() override { emit link()->Activated(); }

private:
    LinkLabel* link() const { return static_cast<LinkLabel*>(widget()); }
};

} // namespace

void LinkLabel::InstallAccessibility() {
    InstallAccessible<LinkLabelAccessible, LinkLabel>();
}

} // namespace tallix
