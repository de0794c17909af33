#include "FormLayout.h"
#include "FormBuilder.h"
#include "Keypad.h"
#include "LayoutError.h"
#include "MainWindowHarness.h"
#include "Twips.h"

#include <QLabel>
#include <QTemporaryFile>

using tallix::testing::MainWindowHarness;

namespace {

// A small layout that builds; each malformed case changes one thing in it.
const char* const kValidLayout = R"({
  "form": "frmTest", "caption": "Test", "width": 1500, "height": 900, "border": "fixedSingle",
  "controls": [
    {"kind": "label", "name": "Label1", "left": 0, "top": 0, "width": 600, "height": 195,
     "tabIndex": 0, "caption": "Expression"},
    {"kind": "custom", "name": "XPButton7", "class": "Quorbit.XPButton", "left": 120,
     "top": 300, "width": 375, "height": 330, "tabIndex": 1,
     "properties": {"_extentx": 661, "_extenty": 582, "caption": "1", "colorstyle": 2}}
  ]
})";

QByteArray Replace(const char* from, const char* to) {
    QByteArray layout(kValidLayout);
    Q_ASSERT(layout.contains(from));
    return layout.replace(from, to);
}

// The controls the window must keep in the same tab order as the design.
const QStringList kFocusOrder = {
    "Text1",      "XPButton7",  "XPButton8",  "XPButton9",  "XPButton10", "XPButton11",
    "XPButton12", "XPButton13", "XPButton14", "XPButton15", "XPButton16", "XPButton17",
    "XPButton18", "XPButton19", "XPButton20", "XPButton21", "XPButton22", "XPButton23",
    "XPButton25", "XPButton26", "List1",      "XPButton27", "XPButton28", "XPButton29",
    "XPButton30", "XPButton31", "Option1",    "Option2",    "XPButton24"};

} // namespace

class FormLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void controlsStandAtTheirTwipsPositions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        const auto row = [](const char* name, int left, int top, int width, int height) {
            QTest::newRow(name) << QString(name) << QRect(left, top, width, height);
        };
        row("Label1", 120, 135, 1095, 195);
        row("Option1", 2850, 120, 645, 195);
        row("Option2", 3480, 120, 735, 195);
        row("Text1", 90, 405, 4125, 330);
        const int columns[] = {120, 570, 1020, 1470, 1920};
        const int rows[] = {855, 1260, 1665, 2100};
        for (int key = 0; key < 20; ++key) {
            const QByteArray name = "XPButton" + QByteArray::number(7 + key);
            row(name.constData(), columns[key % 5], rows[key / 5], 375, 330);
        }
        row("Label4", 2415, 855, 735, 195);
        row("XPButton27", 3270, 855, 915, 240);
        row("List1", 2415, 1170, 1815, 1110);
        row("XPButton28", 225, 2670, 870, 330);
        row("XPButton29", 1215, 2670, 870, 330);
        row("XPButton30", 2205, 2670, 870, 330);
        row("XPButton31", 3195, 2670, 915, 330);
    }
    void controlsStandAtTheirTwipsPositions() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        MainWindowHarness harness;
        auto* control = harness.window->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        const double dpi = tallix::ScreenLogicalDpi();
        QCOMPARE(control->geometry(), tallix::TwipsToPixels(twips, dpi));
        QCOMPARE(harness.window->size(),
                 tallix::TwipsToPixels(QRect(0, 0, 4335, 3135), dpi).size());
    }

    void tabOrderFollowsTheDesign() {
        MainWindowHarness harness;
        QStringList order;
        QWidget* widget = &harness.window->Text1();
        do {
            if (kFocusOrder.contains(widget->objectName())) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != &harness.window->Text1());
        QCOMPARE(order, kFocusOrder);
    }

    void buttonsCarryTheirStylesAndToolTips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("keypad digit") << "XPButton7" << 2 << "";
        QTest::newRow("decimal point") << "XPButton23" << 2 << "Decimal Point";
        QTest::newRow("delete") << "XPButton24" << 2 << "Delete";
        QTest::newRow("backspace") << "XPButton26" << 2 << "Backspace";
        QTest::newRow("insert") << "XPButton27" << 3 << "Select And Insert A Function";
        QTest::newRow("calculate") << "XPButton28" << 1 << "";
        QTest::newRow("about") << "XPButton31" << 1 << "";
    }
    void buttonsCarryTheirStylesAndToolTips() {
        QFETCH(QString, name);
        QFETCH(int, style);
        QFETCH(QString, toolTip);
        MainWindowHarness harness;
        const XPButton& button = harness.Button(name.toLatin1().constData());
        QCOMPARE(button.ColorStyle(), style);
        QCOMPARE(button.toolTip(), toolTip);
    }

    void labelsHaveTheirFontsOnWhite() {
        MainWindowHarness harness;
        auto* label1 = harness.window->findChild<QLabel*>("Label1");
        auto* label4 = harness.window->findChild<QLabel*>("Label4");
        QCOMPARE(label1->text(), QString("Expression"));
        QCOMPARE(label1->font().family(), QString("Verdana"));
        QCOMPARE(label4->text(), QString("Function"));
        QCOMPARE(label4->font().family(), QString("Tahoma"));
        for (const QLabel* label : {label1, label4}) {
            QVERIFY(label->autoFillBackground());
            QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
        }
    }

    // Each keypad key inserts exactly its caption.
    void keypadCaptionsAreTheInsertedTexts() {
        MainWindowHarness harness;
        for (const tallix::KeypadKey& key : tallix::kKeypad) {
            const XPButton& button = harness.Button(std::string(key.button).c_str());
            QCOMPARE(button.Caption(), QString::fromLatin1(key.inserts.data(), 1));
        }
    }

    void malformedLayoutsAreReported_data() {
        QTest::addColumn<QByteArray>("layout");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("problem");
        QTest::newRow("not JSON") << QByteArray("{\"form\": ") << ""
                                  << "not valid JSON";
        QTest::newRow("no controls") << Replace("\"controls\"", "\"widgets\"") << ""
                                     << "\"controls\" is missing";
        QTest::newRow("misspelt setting")
            << Replace("\"caption\": \"Expression\"", "\"captoin\": \"\"") << "Label1"
            << "unknown setting \"captoin\"";
        QTest::newRow("unknown kind")
            << Replace("\"kind\": \"label\"", "\"kind\": \"slider\"") << "Label1"
            << "unknown kind \"slider\"";
        QTest::newRow("no position") << Replace("\"left\": 0,", "") << "Label1"
                                     << "\"left\" is missing";
        QTest::newRow("negative size") << Replace("\"width\": 600", "\"width\": -600") << "Label1"
                                       << "must not be negative";
        QTest::newRow("no name") << Replace("\"name\": \"Label1\",", "") << "number 1"
                                 << "\"name\" is missing";
        QTest::newRow("name twice") << Replace("XPButton7", "Label1") << "Label1"
                                    << "the name is used twice";
        QTest::newRow("tab index twice")
            << Replace("\"tabIndex\": 1", "\"tabIndex\": 0") << "XPButton7"
            << "tab index 0 is used twice";
        QTest::newRow("bad colour")
            << Replace("\"tabIndex\": 0,", "\"tabIndex\": 0, \"backColor\": \"#fff\",") << "Label1"
            << "is not a colour";
        QTest::newRow("extent disagrees with the size") << Replace("661", "700") << "XPButton7"
                                                        << "\"_extentx\" 700 does not match";
        QTest::newRow("unknown class")
            << Replace("Quorbit.XPButton", "Quorbit.Slider") << "XPButton7"
            << "unknown class \"Quorbit.Slider\"";
        QTest::newRow("property the control lacks")
            << Replace("colorstyle", "colourstyle") << "XPButton7"
            << "has no property \"colourstyle\"";
    }
    void malformedLayoutsAreReported() {
        QFETCH(QByteArray, layout);
        QFETCH(QString, control);
        QFETCH(QString, problem);
        QWidget form;
        try {
            tallix::BuildForm(tallix::ParseFormLayout(layout, "test.json"), form, 96.0);
            QFAIL("the layout was accepted");
        } catch (const tallix::LayoutError& error) {
            QCOMPARE(error.File(), QString("test.json"));
            QCOMPARE(error.Control(), control);
            QVERIFY2(error.Problem().contains(problem), qPrintable(error.Problem()));
        }
    }

    void validLayoutBuildsItsButtonsThroughTheirLoadPath() {
        QWidget form;
        const tallix::FormControls controls =
            tallix::BuildForm(tallix::ParseFormLayout(kValidLayout, "test.json"), form, 96.0);
        const auto& button = controls.Get<XPButton>("XPButton7");
        QCOMPARE(button.Caption(), QString("1"));
        QCOMPARE(button.ColorStyle(), 2);
        QCOMPARE(button.geometry(), QRect(8, 20, 25, 22));
        QCOMPARE(form.size(), QSize(100, 60));
    }

    void windowRefusesALayoutWithoutItsControls_data() {
        QTest::addColumn<QByteArray>("layout");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("problem");
        QTest::newRow("edit box missing") << QByteArray(kValidLayout) << "Text1"
                                          << "is missing from the layout";
        QTest::newRow("edit box of the wrong kind") << Replace("Label1", "Text1") << "Text1"
                                                    << "must be a tallix::EditBox, not a QLabel";
    }
    void windowRefusesALayoutWithoutItsControls() {
        QFETCH(QByteArray, layout);
        QFETCH(QString, control);
        QFETCH(QString, problem);
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(layout);
        file.close();
        tallix::testing::RecordingMessageService messages;
        tallix::testing::RecordingDesktopService desktop;
        try {
            tallix::frmMain window({messages, desktop}, file.fileName());
            QFAIL("the window was built");
        } catch (const tallix::LayoutError& error) {
            QCOMPARE(error.File(), file.fileName());
            QCOMPARE(error.Control(), control);
            QCOMPARE(error.Problem(), problem);
        }
    }

    void missingLayoutFileIsReported() {
        try {
            tallix::LoadFormLayout(":/layouts/none.json");
            QFAIL("a missing file was read");
        } catch (const tallix::LayoutError& error) {
            QCOMPARE(error.File(), QString(":/layouts/none.json"));
            QVERIFY(error.Problem().startsWith("cannot be read"));
        }
    }
};

QTEST_MAIN(FormLayoutTest)
#include "FormLayoutTest.moc"
