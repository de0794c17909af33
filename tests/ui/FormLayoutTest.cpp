#include "platform/Twips.h"
#include "tests/ui/MainWindowHarness.h"
#include "ui/CommandButtons.h"
#include "ui/Keypad.h"
#include "ui/LayoutError.h"

#include <QTemporaryFile>

using namespace tallix;

namespace {

// The main window's design in tab order: position and size in twips, the
// colour style of buttons (0 for other controls) and the tool tip. The
// labels, which take no focus, come last.
struct Designed {
    std::string_view name;
    QRect twips;
    int style;
    const char* toolTip;
};
const Designed kDesign[] = {
    {"Text1", {90, 405, 4125, 330}, 0, ""},
    {"XPButton7", {120, 855, 375, 330}, 2, ""},
    {"XPButton8", {570, 855, 375, 330}, 2, ""},
    {"XPButton9", {1020, 855, 375, 330}, 2, ""},
    {"XPButton10", {1470, 855, 375, 330}, 2, ""},
    {"XPButton11", {1920, 855, 375, 330}, 2, ""},
    {"XPButton12", {120, 1260, 375, 330}, 2, ""},
    {"XPButton13", {570, 1260, 375, 330}, 2, ""},
    {"XPButton14", {1020, 1260, 375, 330}, 2, ""},
    {"XPButton15", {1470, 1260, 375, 330}, 2, ""},
    {"XPButton16", {1920, 1260, 375, 330}, 2, ""},
    {"XPButton17", {120, 1665, 375, 330}, 2, ""},
    {"XPButton18", {570, 1665, 375, 330}, 2, ""},
    {"XPButton19", {1020, 1665, 375, 330}, 2, ""},
    {"XPButton20", {1470, 1665, 375, 330}, 2, ""},
    {"XPButton21", {1920, 1665, 375, 330}, 2, ""},
    {"XPButton22", {120, 2100, 375, 330}, 2, ""},
    {"XPButton23", {570, 2100, 375, 330}, 2, "Decimal Point"},
    {"XPButton25", {1470, 2100, 375, 330}, 2, ""},
    {kBackspaceButton, {1920, 2100, 375, 330}, 2, "Backspace"},
    {"List1", {2415, 1170, 1815, 1110}, 0, ""},
    {kInsertButton, {3270, 855, 915, 240}, 3, "Select And Insert A Function"},
    {kCalculateButton, {225, 2670, 870, 330}, 1, ""},
    {kClearButton, {1215, 2670, 870, 330}, 1, ""},
    {kHelpButton, {2205, 2670, 870, 330}, 1, ""},
    {kAboutButton, {3195, 2670, 915, 330}, 1, ""},
    {"Option1", {2850, 120, 645, 195}, 0, ""},
    {"Option2", {3480, 120, 735, 195}, 0, ""},
    {kDeleteButton, {1020, 2100, 375, 330}, 2, "Delete"},
    {"Label1", {120, 135, 1095, 195}, 0, ""},
    {"Label4", {2415, 855, 735, 195}, 0, ""},
};
constexpr int kFocusTaking = int(std::size(kDesign)) - 2;

// The main window's own layout with its first `from` changed to `to`. A
// table row whose text is not in the layout would test nothing: it stops
// the run.
QByteArray MainLayoutWith(const char* from, const char* to) {
    QFile file(frmMain::kLayoutResource);
    file.open(QIODevice::ReadOnly);
    QByteArray layout = file.readAll();
    const qsizetype at = layout.indexOf(from);
    if (at < 0) {
        qFatal("the main window's layout holds no %s", from);
    }
    return layout.replace(at, qsizetype(qstrlen(from)), to);
}

// A change to the main window's layout, the control the error names and
// part of the problem it states; no problem: the window is built.
struct Change {
    const char* name;
    const char *from, *to;
    std::string_view control;
    const char* problem;
};
const Change kChanges[] = {
    {"not JSON", "\"controls\": [", "\"controls\": [[", "", "not valid JSON"},
    {"misspelt setting", "\"caption\": \"Expression\"", "\"captoin\": \"\"", "Label1",
     "unknown setting \"captoin\""},
    {"property the button lacks", "\"colorstyle\": 3", "\"colourstyle\": 3", kInsertButton,
     "has no property \"colourstyle\""},
    {"empty colour", "\"backColor\": \"#ffffff\"", "\"backColor\": \"\"", "",
     "\"backColor\" is not a colour"},
    {"edit box missing", "\"Text1\"", "\"Text2\"", "Text1", "is missing from the layout"},
    {"edit box of the wrong kind", "\"textBox\"", "\"label\"", "Text1",
     "must be a tallix::EditBox, not a QLabel"},
    // The container's size keys must agree with the size, to within one.
    {"extent one off", "\"_extentx\": 661", "\"_extentx\": 662", "", ""},
    {"extent two off", "\"_extentx\": 661", "\"_extentx\": 663", "XPButton7",
     "\"_extentx\" 663 does not match"},
    {"height extent missing", "\"_extenty\": 582, ", "", "XPButton7", "no number \"_extenty\""},
    // Positions and sizes stay inside the window, which has a size limit; a
    // line, put in front of the other controls, with both its ends.
    {"left plus width past the int range", "\"left\": 120, \"top\": 855, \"width\": 375",
     "\"left\": 4000, \"top\": 855, \"width\": 2147483647", "XPButton7",
     "\"width\" 2147483647 from 4000 ends outside the window"},
    {"left outside the window", "\"left\": 120, \"top\": 855", "\"left\": 2147483000, \"top\": 855",
     "XPButton7", "\"left\" 2147483000 lies outside the window"},
    {"button past the right edge", "\"left\": 120, \"top\": 855", "\"left\": 4000, \"top\": 855",
     "XPButton7", "\"width\" 375 from 4000 ends outside the window"},
    {"left past the int range", "\"left\": 120, \"top\": 855", "\"left\": 4294967416, \"top\": 855",
     "XPButton7", "\"left\" must be a whole number"},
    {"32,767-pixel window", "\"width\": 4335", "\"width\": 491505", "",
     "\"width\" 491505 is more than the largest"},
    {"line starting left of the window", "\"controls\": [",
     "\"controls\": [{\"kind\": \"line\", \"name\": \"Line9\", \"x1\": -15, \"y1\": 60, \"x2\": "
     "10, \"y2\": 60},",
     "Line9", "\"x1\" -15 lies outside the window"},
    {"line along the window's edges", "\"controls\": [",
     "\"controls\": [{\"kind\": \"line\", \"name\": \"Line9\", \"x1\": 0, \"y1\": 3135, \"x2\": "
     "4335, \"y2\": 3135},",
     "", ""},
    // Only one of two values for a key would count.
    {"window key twice", "\"caption\": \"Tallix\"", "\"caption\": \"Tallix\", \"caption\": \"x\"",
     "", "\"caption\" is given twice"},
    {"control key twice", "\"value\": true", "\"value\": true, \"value\": false", "Option1",
     "\"value\" is given twice"},
    {"property twice, once escaped", "\"caption\": \"1\"",
     "\"caption\": \"1\", \"capt\\u0069on\": \"2\"", "XPButton7",
     "\"caption\" is given twice in \"properties\""},
    {"property twice in another case", "\"caption\": \"1\"",
     "\"caption\": \"1\", \"Caption\": \"2\"", "XPButton7", "holds \"caption\" twice"},
    {"key-like text inside a value", "\"caption\": \"Expression\"",
     "\"caption\": \"\\\"name\\\": 1\"", "", ""},
};

} // namespace

class FormLayoutTest : public QObject {
    Q_OBJECT

    tallix::testing::MainWindowHarness harness_;

private slots:
    void controlMatchesTheDesign_data() { tallix::testing::AddTableRows(kDesign); }
    void controlMatchesTheDesign() {
        QFETCH(int, row);
        const Designed& design = kDesign[row];
        const auto* control =
            harness_.window->findChild<QWidget*>(QString::fromLatin1(design.name));
        QVERIFY(control != nullptr);
        const double dpi = ScreenLogicalDpi();
        QCOMPARE(control->geometry(), TwipsToPixels(design.twips, dpi));
        QCOMPARE(control->toolTip(), QString(design.toolTip));
        const auto* button = qobject_cast<const XPButton*>(control);
        QCOMPARE(button != nullptr ? button->ColorStyle() : 0, design.style);
        // A keypad key inserts exactly its caption.
        for (const KeypadKey& key : kKeypad) {
            if (key.button == design.name) {
                QCOMPARE(button->Caption(), QString::fromLatin1(key.inserts));
            }
        }
        // The focus chain leads on to the next row that takes the focus; from
        // the last, back to Text1.
        if (row < kFocusTaking) {
            const QWidget* next = control->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus) {
                next = next->nextInFocusChain();
            }
            QCOMPARE(next->objectName(),
                     QString::fromLatin1(kDesign[(row + 1) % kFocusTaking].name));
        }
        QCOMPARE(harness_.window->size(), TwipsToPixels(QRect(0, 0, 4335, 3135), dpi).size());
    }

    // An empty problem: the layout builds.
    void malformedLayoutsAreReported_data() { tallix::testing::AddTableRows(kChanges); }
    void malformedLayoutsAreReported() {
        QFETCH(int, row);
        const Change& change = kChanges[row];
        const QString problem = QString::fromLatin1(change.problem);
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(MainLayoutWith(change.from, change.to));
        file.close();
        try {
            frmMain window({harness_.messages, harness_.desktop}, file.fileName());
            QVERIFY2(problem.isEmpty(), "the window was built");
        } catch (const LayoutError& error) {
            QVERIFY2(!problem.isEmpty(), error.what());
            QCOMPARE(error.File(), file.fileName());
            QCOMPARE(error.Control(), QString::fromLatin1(change.control));
            QVERIFY2(error.Problem().contains(problem), qPrintable(error.Problem()));
        }
    }
};

QTEST_MAIN(FormLayoutTest)
#include "FormLayoutTest.moc"
