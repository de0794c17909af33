#include "tests/ui/MainWindowHarness.h"

#include <QAccessible>
#include <QMetaEnum>

using tallix::testing::AddTableRows;
using tallix::testing::MainWindowHarness;
using tallix::testing::TableRow;

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
    {"About box", true, "frmF2", QAccessible::Dialog, "About Tallix", "", nullptr},
    {"edit box by caption", false, "Text1", QAccessible::EditableText, "Expression", "", "Label1"},
    {"list by caption", false, "List1", QAccessible::List, "Function", "", "Label4"},
    {"letter by its action", false, tallix::kBackspaceButton, QAccessible::Button, "Backspace",
     "Backspace", nullptr},
    {"word caption kept", false, tallix::kInsertButton, QAccessible::Button, "Insert",
     "Select And Insert A Function", nullptr},
    {"radians option", false, "Option1", QAccessible::RadioButton, "Arc (radians)", "", nullptr},
};

// The About box's children as assistive technology lists them, role and
// name: the rule under the title only decorates, so it is left out.
const QStringList kAboutChildren = {"StaticText Tallix", "StaticText Version 1.0",
                                    "Link tallix.example.org", "Button OK"};

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
        const Node& node = TableRow(kNodes);
        MainWindowHarness harness;
        QWidget* control = harness.Find(node.control, node.inAbout);
        QAccessibleInterface* access = Interface(control);
        QCOMPARE(access->role(), node.role);
        QCOMPARE(access->text(QAccessible::Name), node.accessibleName);
        QCOMPARE(access->text(QAccessible::Description), node.description);
        if (node.label != nullptr) {
            QAccessibleInterface* label = Interface(harness.Find(node.label, node.inAbout));
            QCOMPARE(label->text(QAccessible::Name), node.accessibleName);
            const auto relations = label->relations(QAccessible::Labelled);
            QCOMPARE(relations.size(), 1);
            QCOMPARE(relations.front().first->object(), control);
        }
    }

    // Each child is where its index says, so a screen reader walking the
    // tree either way meets the same nodes.
    void aboutBoxListsItsControlsButNotItsRule() {
        MainWindowHarness harness;
        QAccessibleInterface* box = Interface(&harness.About());
        QStringList children;
        for (int i = 0; i < box->childCount(); ++i) {
            QAccessibleInterface* child = box->child(i);
            QCOMPARE(box->indexOfChild(child), i);
            QCOMPARE(child->parent(), box);
            const char* role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(child->role());
            children << QString::fromLatin1(role) + ' ' + child->text(QAccessible::Name);
        }
        QCOMPARE(children, kAboutChildren);
        QCOMPARE(box->indexOfChild(Interface(harness.Find("Line1", true))), -1);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
