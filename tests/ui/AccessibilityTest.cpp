#include "controls/LinkLabel.h"
#include "tests/ui/MainWindowHarness.h"
#include "ui/frmF2.h"

#include <QAccessible>
#include <QLabel>
#include <QMetaEnum>

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
    {"digit by its caption", false, "XPButton7", QAccessible::Button, "1", "", nullptr},
    {"sign by its action", false, "XPButton11", QAccessible::Button, "Multiply", "", nullptr},
    {"sign with a tool tip", false, "XPButton23", QAccessible::Button, "Decimal point",
     "Decimal Point", nullptr},
    {"letter by its action", false, tallix::kBackspaceButton, QAccessible::Button, "Backspace",
     "Backspace", nullptr},
    {"word caption kept", false, tallix::kInsertButton, QAccessible::Button, "Insert",
     "Select And Insert A Function", nullptr},
    {"radians option", false, "Option1", QAccessible::RadioButton, "Arc (radians)", "", nullptr},
    {"degrees option", false, "Option2", QAccessible::RadioButton, "Angle (degrees)", "", nullptr},
    {"About box OK", true, tallix::kAboutOkButton, QAccessible::Button, "OK", "", nullptr},
    {"About box link", true, "Label1", QAccessible::Link, "tallix.example.org", "", nullptr},
};

// The About box's children as assistive technology lists them, role and
// name: the rule under the title only decorates, so it is left out.
const QStringList kAboutChildren = {
    "StaticText Tallix",
    "StaticText Version 1.0",
    "Link tallix.example.org",
    "Button OK",
};

QString RoleAndName(QAccessibleInterface& node) {
    const QString role =
        QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(node.role()));
    return role + ' ' + node.text(QAccessible::Name);
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
            children << RoleAndName(*child);
        }
        QCOMPARE(children, kAboutChildren);
        QCOMPARE(box->indexOfChild(Interface(harness.Find("Line1", true))), -1);
    }

    // The link's press action opens it, as a click does, and the box stays.
    void aboutLinkOpensThroughItsAction() {
        MainWindowHarness harness;
        QAccessibleActionInterface* link = Interface(&harness.About().Label1())->actionInterface();
        QVERIFY(link->actionNames().contains(QAccessibleActionInterface::pressAction()));
        link->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(harness.desktop.opened, QList<QUrl>{QUrl(frmF2::kLinkUrl)});
    }

    // A screen reader selects a row of the list through its table interface
    // (AT-SPI's selection of a row), which leaves the current entry where it
    // was; Insert then inserts the selected function.
    void functionSelectedByAssistiveTechnologyIsInserted() {
        MainWindowHarness harness;
        QListView& list = harness.window->List1();
        QAccessibleTableInterface* table = Interface(&list)->tableInterface();
        const QModelIndex first = list.model()->index(0, 0);
        QVERIFY(
            table->selectRow(list.model()->match(first, Qt::DisplayRole, "sin()").front().row()));
        QCOMPARE(list.currentIndex(), first);
        harness.Click(tallix::kInsertButton);
        QCOMPARE(harness.Text1().Text(), QString("sin("));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
