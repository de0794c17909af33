#include "tests/ui/MainWindowHarness.h"
#include "ui/frmF2.h"

#include <QAccessible>
#include <QLabel>

using tallix::frmF2;
using tallix::testing::AddTableRows;
using tallix::testing::MainWindowHarness;

namespace {

// A window or control, found by its layout name in the main window or the
// About box, with the role, name and description a screen reader is given,
// and the caption that names it, if any, which a screen reader follows to it.
struct Node {
    const char* name;
    bool inAbout;
    std::string_view control;
    QAccessible::Role role;
    QString accessibleName, description;
    const char* label;
};
const Node kNodes[] = {
    {"main window", false, "frmMain", QAccessible::Window, "Tallix", "", nullptr},
    {"About box", true, "frmF2", QAccessible::Dialog, "About Tallix", "", nullptr},
    {"edit box by caption", false, "Text1", QAccessible::EditableText, "Expression", "", "Label1"},
    {"list by caption", false, "List1", QAccessible::List, "Function", "", "Label4"},
    {"digit", false, "XPButton7", QAccessible::Button, "1", "", nullptr},
    {"insert", false, tallix::kInsertButton, QAccessible::Button, "Insert",
     "Select And Insert A Function", nullptr},
    {"About box OK", true, tallix::kAboutOkButton, QAccessible::Button, "OK", "", nullptr},
};

QWidget* FindControl(QWidget& form, std::string_view name) {
    const QString objectName = QString::fromLatin1(name);
    return form.objectName() == objectName ? &form : form.findChild<QWidget*>(objectName);
}

QAccessibleInterface* Interface(QWidget* widget) {
    return widget == nullptr ? nullptr : QAccessible::queryAccessibleInterface(widget);
}

} // namespace

// The windows and controls through the toolkit's accessibility interfaces,
// which its AT-SPI bridge hands on to screen readers.
class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void nodesHaveTheirRoleNameDescriptionAndCaption_data() { AddTableRows(kNodes); }
    void nodesHaveTheirRoleNameDescriptionAndCaption() {
        QFETCH(int, row);
        const Node& node = kNodes[row];
        MainWindowHarness harness([](tallix::DesktopService&, QWidget*) {});
        frmF2 about(harness.desktop, harness.window.get());
        QWidget& form = node.inAbout ? static_cast<QWidget&>(about) : *harness.window;
        QAccessibleInterface* access = Interface(FindControl(form, node.control));
        QVERIFY2(access != nullptr, node.control.data());
        QCOMPARE(access->role(), node.role);
        QCOMPARE(access->text(QAccessible::Name), node.accessibleName);
        QCOMPARE(access->text(QAccessible::Description), node.description);
        if (node.label != nullptr) {
            QAccessibleInterface* label = Interface(FindControl(form, node.label));
            QVERIFY(label != nullptr);
            QCOMPARE(label->text(QAccessible::Name), node.accessibleName);
            const auto relations = label->relations(QAccessible::Labelled);
            QCOMPARE(relations.size(), 1);
            QCOMPARE(relations.front().first->object(), FindControl(form, node.control));
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
