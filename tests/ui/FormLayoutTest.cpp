#include "Keypad.h"
#include "LayoutError.h"
#include "MainWindowHarness.h"
#include "Twips.h"

#include <QTemporaryFile>

namespace {

// The main window's design in tab order: position and size in twips, the
// colour style of buttons (0 for other controls) and the tool tip. The
// labels, which take no focus, come last.
struct Designed {
    const char* name;
    QRect twips;
    int style;
    const char* toolTip;
};
const Designed kDesign[] = {
    {"Text1",      {90, 405, 4125, 330},     0, ""                            },
    {"XPButton7",  {120, 855, 375, 330},     2, ""                            },
    {"XPButton8",  {570, 855, 375, 330},     2, ""                            },
    {"XPButton9",  {1020, 855, 375, 330},    2, ""                            },
    {"XPButton10", {1470, 855, 375, 330},    2, ""                            },
    {"XPButton11", {1920, 855, 375, 330},    2, ""                            },
    {"XPButton12", {120, 1260, 375, 330},    2, ""                            },
    {"XPButton13", {570, 1260, 375, 330},    2, ""                            },
    {"XPButton14", {1020, 1260, 375, 330},   2, ""                            },
    {"XPButton15", {1470, 1260, 375, 330},   2, ""                            },
    {"XPButton16", {1920, 1260, 375, 330},   2, ""                            },
    {"XPButton17", {120, 1665, 375, 330},    2, ""                            },
    {"XPButton18", {570, 1665, 375, 330},    2, ""                            },
    {"XPButton19", {1020, 1665, 375, 330},   2, ""                            },
    {"XPButton20", {1470, 1665, 375, 330},   2, ""                            },
    {"XPButton21", {1920, 1665, 375, 330},   2, ""                            },
    {"XPButton22", {120, 2100, 375, 330},    2, ""                            },
    {"XPButton23", {570, 2100, 375, 330},    2, "Decimal Point"               },
    {"XPButton25", {1470, 2100, 375, 330},   2, ""                            },
    {"XPButton26", {1920, 2100, 375, 330},   2, "Backspace"                   },
    {"List1",      {2415, 1170, 1815, 1110}, 0, ""                            },
    {"XPButton27", {3270, 855, 915, 240},    3, "Select And Insert A Function"},
    {"XPButton28", {225, 2670, 870, 330},    1, ""                            },
    {"XPButton29", {1215, 2670, 870, 330},   1, ""                            },
    {"XPButton30", {2205, 2670, 870, 330},   1, ""                            },
    {"XPButton31", {3195, 2670, 915, 330},   1, ""                            },
    {"Option1",    {2850, 120, 645, 195},    0, ""                            },
    {"Option2",    {3480, 120, 735, 195},    0, ""                            },
    {"XPButton24", {1020, 2100, 375, 330},   2, "Delete"                      },
    {"Label1",     {120, 135, 1095, 195},    0, ""                            },
    {"Label4",     {2415, 855, 735, 195},    0, ""                            },
};
constexpr int kFocusTaking = int(std::size(kDesign)) - 2;

// The main window's own layout with one fault put in; a fault that is not
// put in leaves a layout that builds, which fails the case.
QByteArray MainLayoutWith(const char* from, const char* to) {
    QFile file(tallix::frmMain::kLayoutResource);
    file.open(QIODevice::ReadOnly);
    return file.readAll().replace(from, to);
}

} // namespace

class FormLayoutTest : public QObject {
    Q_OBJECT

    tallix::testing::MainWindowHarness harness_;

private slots:
    void controlMatchesTheDesign_data() { tallix::testing::AddTableRows(kDesign); }
    void controlMatchesTheDesign() {
        QFETCH(int, row);
        const Designed& design = kDesign[row];
        const auto* control = harness_.window->findChild<QWidget*>(design.name);
        QVERIFY(control != nullptr);
        const double dpi = tallix::ScreenLogicalDpi();
        QCOMPARE(control->geometry(), tallix::TwipsToPixels(design.twips, dpi));
        QCOMPARE(control->toolTip(), QString(design.toolTip));
        const auto* button = qobject_cast<const tallix::XPButton*>(control);
        QCOMPARE(button != nullptr ? button->ColorStyle() : 0, design.style);
        // A keypad key inserts exactly its caption.
        for (const tallix::KeypadKey& key : tallix::kKeypad) {
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
            QCOMPARE(next->objectName(), QString(kDesign[(row + 1) % kFocusTaking].name));
        }
        QCOMPARE(harness_.window->size(),
                 tallix::TwipsToPixels(QRect(0, 0, 4335, 3135), dpi).size());
    }

    void malformedLayoutsAreReported_data() {
        QTest::addColumn<QByteArray>("layout");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("problem");
        QTest::newRow("not JSON") << QByteArray("{\"form\": ") << ""
                                  << "not valid JSON";
        QTest::newRow("misspelt setting")
            << MainLayoutWith("\"caption\": \"Expression\"", "\"captoin\": \"\"") << "Label1"
            << "unknown setting \"captoin\"";
        QTest::newRow("property the button lacks")
            << MainLayoutWith("\"colorstyle\": 3", "\"colourstyle\": 3") << "XPButton27"
            << "has no property \"colourstyle\"";
        QTest::newRow("edit box missing") << MainLayoutWith("\"Text1\"", "\"Text2\"") << "Text1"
                                          << "is missing from the layout";
        QTest::newRow("edit box of the wrong kind")
            << MainLayoutWith("\"textBox\"", "\"label\"") << "Text1"
            << "must be a tallix::EditBox, not a QLabel";
    }
    void malformedLayoutsAreReported() {
        QFETCH(QByteArray, layout);
        QFETCH(QString, control);
        QFETCH(QString, problem);
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(layout);
        file.close();
        try {
            tallix::frmMain window({harness_.messages, harness_.desktop}, file.fileName());
            QFAIL("the window was built");
        } catch (const tallix::LayoutError& error) {
            QCOMPARE(error.File(), file.fileName());
            QCOMPARE(error.Control(), control);
            QVERIFY2(error.Problem().contains(problem), qPrintable(error.Problem()));
        }
    }
};

QTEST_MAIN(FormLayoutTest)
#include "FormLayoutTest.moc"
