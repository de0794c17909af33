#include "tests/ui/MainWindowHarness.h"
#include "ui/frmF2.h"

#include <QAccessible>
#include <QLabel>

using tallix::frmF2;
using tallix::testing::AddTableRows;
using tallix::testing::MainWindowHarness;

namespace {

// A window or control, found by its layout name in the main window or the
// About box, with the role, name and description a screen reader is given.
struct Node {
    const char* name;
    bool inAbout;
    std::string_view control;
    QAccessible::Role role;
    QString accessibleName, description;
};
const Node kNodes[] = {
    {"main window", false, "frmMain", QAccessible::Window, "Tallix", ""},
    {"About box", true, "frmF2", QAccessible::Dialog, "About Tallix", ""},
    {"edit box by caption", false, "Text1", QAccessible::EditableText, "Expression", ""},
    {"list by caption", false, "List1", QAccessible::List, "Function", ""},
    {"digit", false, "XPButton7", QAccessible::Button, "1", ""},
    {"decimal point", false, "XPButton23", QAccessible::Button, ".", "Decimal Point"},
    {"delete", false, tallix::kDeleteButton, QAccessible::Button, "D", "Delete"},
    {"backspace", false, tallix::kBackspaceButton, QAccessible::Button, "B", "Backspace"},
    {"insert", false, tallix::kInsertButton, QAccessible::Button, "Insert",
     "Select And Insert A Function"},
    {"calculate", false, tallix::kCalculateButton, QAccessible::Button, "Calculate", ""},
    {"About box OK", true, tallix::kAboutOkButton, QAccessible::Button, "OK", ""},
};

// A caption and the control it names.
struct Labelled {
    const char *name, *label, *control;
};
const Labelled kLabelled[] = {
    {"Expression", "Label1", "Text1"},
    {"Function", "Label4", "List1"},
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
    void nodesHaveTheirRoleNameAndDescription_data() { AddTableRows(kNodes); }
    void nodesHaveTheirRoleNameAndDescription() {
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
    }

    // A screen reader follows the relation from a caption to its control.
    void captionsAreRelatedToTheControlsTheyName_data() { AddTableRows(kLabelled); }
    void captionsAreRelatedToTheControlsTheyName() {
        QFETCH(int, row);
        const Labelled& labelled = kLabelled[row];
        MainWindowHarness harness([](tallix::DesktopService&, QWidget*) {});
        QAccessibleInterface* label = Interface(FindControl(*harness.window, labelled.label));
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(QAccessible::Name), QString(labelled.name));
        const auto relations = label->relations(QAccessible::Labelled);
        QCOMPARE(relations.size(), 1);
        QCOMPARE(relations.front().first->object(), FindControl(*harness.window, labelled.control));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
