#include "platform/Twips.h"
#include "tests/ui/MainWindowHarness.h"
#include "ui/CommandButtons.h"
#include "ui/Keypad.h"
#include "ui/LayoutError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>

#include <map>

using namespace tallix;

namespace {

QByteArray MainLayout() {
    QFile file(frmMain::kLayoutResource);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The main window's own layout with its first `from` changed to `to`. A
// table row whose text is not in the layout would test nothing: it stops
// the run.
QByteArray MainLayoutWith(const char* from, const char* to) {
    QByteArray layout = MainLayout();
    const qsizetype at = layout.indexOf(from);
    if (at < 0) {
        qFatal("the main window's layout holds no %s", from);
    }
    return layout.replace(at, qsizetype(qstrlen(from)), to);
}

// A change to the main window's layout, the control the error names and
// part of the problem it states; no problem: the window is built.
struct Change {
    const char *name, *from, *to;
    std::string_view control;
    const char* problem;
};
const Change kChanges[] = {
    {"not JSON", "\"controls\": [", "\"controls\": [[", "", "not valid JSON"},
    {"misspelt setting", "\"caption\": \"Expression\"", "\"captoin\": \"\"", "Label1",
     "unknown setting \"captoin\""},
    {"property the button lacks", "\"colorstyle\": 3", "\"colourstyle\": 3", kInsertButton,
     "has no property \"colourstyle\""},
    {"short colour", "\"backColor\": \"#ffffff\"", "\"backColor\": \"#fff\"", "",
     "\"backColor\" is not a colour"},
    {"colour not in hex", "\"backColor\": \"#ffffff\"", "\"backColor\": \"#fffffg\"", "",
     "\"backColor\" is not a colour"},
    {"font size zero", "\"size\": 8.25}", "\"size\": 0}", "", "the font size must be a positive"},
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
    {"caption of no width", "\"width\": 1095", "\"width\": 0", "", ""},
    {"left plus width past the int range", "\"left\": 120, \"top\": 855, \"width\": 375",
     "\"left\": 4000, \"top\": 855, \"width\": 2147483647", "XPButton7",
     "\"width\" 2147483647 from 4000 ends outside the window"},
    {"left outside the window", "\"left\": 120, \"top\": 855", "\"left\": 2147483000, \"top\": 855",
     "XPButton7", "\"left\" 2147483000 lies outside the window"},
    {"left past the int range", "\"left\": 120, \"top\": 855", "\"left\": 4294967416, \"top\": 855",
     "XPButton7", "\"left\" must be a whole number"},
    {"left with a fraction", "\"left\": 120, \"top\": 855", "\"left\": 120.5, \"top\": 855",
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
    // What the design must keep, whatever its numbers: the window's fixed
    // size, every control inside it, no two buttons overlapping, no text in
    // italics or bold (the main window's layout asks for neither), each
    // keypad key captioned with what it inserts, and the looks that tell keys
    // from commands.
    void mainWindowHoldsTogether() {
        const frmMain& window = *harness_.window;
        QCOMPARE(window.size(), TwipsToPixels(QRect(0, 0, 4335, 3135), ScreenLogicalDpi()).size());
        for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(!control->geometry().isEmpty() && window.rect().contains(control->geometry()),
                     qPrintable(control->objectName()));
            QVERIFY2(!control->font().italic() && !control->font().bold(),
                     qPrintable(control->objectName()));
        }
        const QList<XPButton*> buttons = window.findChildren<XPButton*>();
        QCOMPARE(buttons.size(), qsizetype(kKeypad.size() + 7));
        for (const XPButton* a : buttons) {
            for (const XPButton* b : buttons) {
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " overlaps " + b->objectName()));
            }
        }
        for (const KeypadKey& key : kKeypad) {
            QCOMPARE(harness_.Button(key.button).Caption(), QString::fromLatin1(key.inserts));
            QCOMPARE(harness_.Button(key.button).ColorStyle(), int(XPButton::csSilver));
        }
        // The commands below the keypad keep the button's own look.
        QCOMPARE(harness_.Button(kCalculateButton).ColorStyle(), int(XPButton::csBlue));
        QCOMPARE(harness_.Button(kInsertButton).ColorStyle(), int(XPButton::csOlive));
    }

    // The focus goes round the controls that take it in the order of the
    // tab indices the layout gives them.
    void focusFollowsTheTabIndices() {
        std::map<int, QString> byIndex;
        for (const QJsonValue value : QJsonDocument::fromJson(MainLayout())["controls"].toArray()) {
            const QString name = value["name"].toString();
            if (harness_.window->findChild<QWidget*>(name)->focusPolicy() != Qt::NoFocus) {
                byIndex[value["tabIndex"].toInt()] = name;
            }
        }
        // From the last, Tab comes round to the first, then each in turn.
        const QWidget* control = harness_.window->findChild<QWidget*>(byIndex.rbegin()->second);
        for (const auto& [index, name] : byIndex) {
            do {
                control = control->nextInFocusChain();
            } while (control->focusPolicy() == Qt::NoFocus);
            QCOMPARE(control->objectName(), name);
        }
    }

    // A line is one pixel thick along its length: the About box's rule.
    void lineIsOnePixelThick() {
        const double dpi = ScreenLogicalDpi();
        QCOMPARE(harness_.Find("Line1", true)->geometry(),
                 QRect(0, TwipsToPixels(1080, dpi), TwipsToPixels(3840, dpi), 1));
    }

    // An empty problem: the layout builds.
    void malformedLayoutsAreReported_data() { tallix::testing::AddTableRows(kChanges); }
    void malformedLayoutsAreReported() {
        const Change& change = tallix::testing::TableRow(kChanges);
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
