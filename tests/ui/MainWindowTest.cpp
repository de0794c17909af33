#include "Calculation.h"
#include "FunctionNames.h"
#include "HelpCommand.h"
#include "LayoutError.h"
#include "MainWindowHarness.h"

#include <QSet>

using tallix::testing::MainWindowHarness;

namespace {

const QString kStop = QStringLiteral("Syntax Error|0|");
const QString kWarning = QStringLiteral("Error|1|");

// The list must offer what the translator knows, in lower case with "()".
QSet<QString> TranslatorFunctionEntries() {
    QSet<QString> entries;
    for (std::string_view name : tallix::kFunctionNames) {
        entries.insert(QString::fromLatin1(name.data(), qsizetype(name.size())).toLower() + "()");
    }
    return entries - QSet<QString>{"sech()", "csech()"};
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithArcSelectedTheListFilledAndTheFocusInText1() {
        MainWindowHarness harness;
        QVERIFY(harness.WaitUntilActive());
        tallix::frmMain& window = *harness.window;
        QCOMPARE(window.windowTitle(), QString("Tallix"));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(window.palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(window.font().family(), QString("Tahoma"));
        QCOMPARE(window.font().pointSizeF(), 8.25);
        QVERIFY(window.Option1().isChecked());
        QVERIFY(!window.Option2().isChecked());
        QCOMPARE(window.Option1().palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(window.Option2().palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(window.Text1().hasFocus());
        QVERIFY(window.Text1().Text().isEmpty());
    }

    void listOffersTheTranslatorsFunctionsWithAbsSelected() {
        MainWindowHarness harness;
        QListWidget& list = harness.window->List1();
        QSet<QString> shown;
        for (int row = 0; row < list.count(); ++row) {
            shown.insert(list.item(row)->text());
        }
        QCOMPARE(list.count(), 28);
        QCOMPARE(shown, TranslatorFunctionEntries());
        QCOMPARE(list.currentItem()->text(), QString("abs()"));
        QVERIFY(list.currentItem()->isSelected());
        QCOMPARE(list.font().family(), QString("Arial"));
    }

    void enterCalculates_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("degrees");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("boxes");
        const QString cannot = QString::fromLatin1(tallix::kCannotCalculateText.data());
        QTest::newRow("sum") << "1+2" << false << "3" << QStringList();
        QTest::newRow("comma as point") << "2,5*2" << false << "5" << QStringList();
        QTest::newRow("spaces dropped") << "1 + 2" << false << "3" << QStringList();
        QTest::newRow("2sin(30) in degrees") << "2sin(30)" << true << "1" << QStringList();
        QTest::newRow("division by zero") << "1/0" << false << cannot << QStringList();
        QTest::newRow("a result equal to the sentinel is shown")
            << "-0.12345" << false << "-0.12345" << QStringList();
        QTest::newRow("exponent notation")
            << "12345678" << false << "1.234568E+07" << QStringList();
        QTest::newRow("illegal =")
            << "2=2" << false << "2=2" << QStringList{kWarning + "The expression is illegal."};
        QTest::newRow("operand missing")
            << "1+" << false << "1+" << QStringList{kStop + "Character 2:  Operand expected"};
        QTest::newRow("only spaces: emptied, then the translator complains")
            << "  " << false << "" << QStringList{kStop + "Character 1:  Operand expected"};
        QTest::newRow("written back before the translator fails")
            << "2,5 *" << false << "2.5*" << QStringList{kStop + "Character 4:  Operand expected"};
    }
    void enterCalculates() {
        QFETCH(QString, typed);
        QFETCH(bool, degrees);
        QFETCH(QString, shown);
        QFETCH(QStringList, boxes);
        MainWindowHarness harness;
        harness.window->Option2().setChecked(degrees);
        harness.Type(typed);
        QCOMPARE(harness.window->Text1().Text(), shown);
        QCOMPARE(harness.Boxes(), boxes);
    }

    void bothEnterKeysCalculateAndInsertNothing_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    void bothEnterKeysCalculateAndInsertNothing() {
        QFETCH(int, key);
        MainWindowHarness harness;
        QSignalSpy returnPressed(&harness.window->Text1(), &QLineEdit::returnPressed);
        harness.Type("6*7", Qt::Key(key));
        QCOMPARE(harness.window->Text1().Text(), QString("42"));
        QCOMPARE(returnPressed.count(), 0);
    }

    void replacedTextLeavesTheCaretAtTheStartSoPlusGivesPlus3() {
        MainWindowHarness harness;
        QVERIFY(harness.WaitUntilActive());
        harness.Type("1+2");
        tallix::EditBox& text = harness.window->Text1();
        QCOMPARE(text.cursorPosition(), 0);
        QVERIFY(!text.hasSelectedText());
        QVERIFY(text.hasFocus());
        harness.Click("XPButton10");
        QCOMPARE(text.Text(), QString("+3"));
    }

    void angleModeIsReadAtEachCalculation() {
        MainWindowHarness harness;
        harness.window->Text1().SetText("sin(90)");
        QTest::mouseClick(&harness.window->Option2(), Qt::LeftButton);
        QCOMPARE(harness.window->Text1().Text(), QString("sin(90)"));
        harness.Click("XPButton28");
        QCOMPARE(harness.window->Text1().Text(), QString("1"));
        harness.window->Text1().SetText("sin(90)");
        QTest::mouseClick(&harness.window->Option1(), Qt::LeftButton);
        harness.Click("XPButton28");
        QCOMPARE(harness.window->Text1().Text(), QString("0.8939967"));
    }

    void resultsUseTheRegionalDecimalSeparator() {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        MainWindowHarness harness;
        QLocale::setDefault(previous);
        harness.Type("1/4");
        QCOMPARE(harness.window->Text1().Text(), QString("0,25"));
        // The comma becomes a point again, so the result calculates on.
        harness.window->Text1().end(false);
        harness.Type("+1");
        QCOMPARE(harness.window->Text1().Text(), QString("1,25"));
    }

    void evaluatorFailureShowsItsDescriptionAndKeepsThePreparedText() {
        MainWindowHarness harness;
        tallix::testing::RecordingMessageService engineMessages;
        const tallix::CalculationResult expected =
            tallix::CalculatePrepared("10^39", false, engineMessages);
        QCOMPARE(expected.kind, tallix::CalculationResult::Kind::Failure);
        harness.Type("10 ^ 39");
        QCOMPARE(harness.Boxes(),
                 QStringList{kWarning + QString::fromStdString(expected.errorDescription)});
        QCOMPARE(harness.window->Text1().Text(), QString("10^39"));
        harness.Type("");
        QCOMPARE(harness.Boxes().size(), 2);
    }

    void keypadClicksBuildAnExpressionAndCalculateShowsTheResult() {
        MainWindowHarness harness;
        QVERIFY(harness.WaitUntilActive());
        for (const char* button : {"XPButton7", "XPButton10", "XPButton8"}) {
            harness.Click(button);
        }
        QCOMPARE(harness.window->Text1().Text(), QString("1+2"));
        QCOMPARE(harness.window->Text1().SelStart(), 3);
        harness.Click("XPButton28");
        QCOMPARE(harness.window->Text1().Text(), QString("3"));
    }

    void editingCommands_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("focused");
        QTest::newRow("keypad between digits") << "12" << 1 << 0 << "XPButton10"
                                               << "1+2" << 2 << true;
        QTest::newRow("keypad keeps the selection") << "abc" << 1 << 1 << "XPButton7"
                                                    << "a1bc" << 2 << true;
        QTest::newRow("backspace at the end") << "1+2" << 3 << 0 << "XPButton26"
                                              << "1+" << 2 << true;
        QTest::newRow("backspace at the start does nothing") << "1+2" << 0 << 0 << "XPButton26"
                                                             << "1+2" << 0 << false;
        QTest::newRow("backspace before a selection") << "abc" << 1 << 1 << "XPButton26"
                                                      << "bc" << 0 << true;
        QTest::newRow("delete at the start") << "1+2" << 0 << 0 << "XPButton24"
                                             << "+2" << 0 << true;
        QTest::newRow("delete at the end does nothing") << "1+2" << 3 << 0 << "XPButton24"
                                                        << "1+2" << 3 << false;
        QTest::newRow("delete a selected character") << "abc" << 1 << 1 << "XPButton24"
                                                     << "ac" << 1 << true;
        QTest::newRow("insert on an empty box") << "" << 0 << 0 << "XPButton27"
                                                << "abs(" << 4 << true;
        QTest::newRow("clear a message, focus stays away")
            << QString::fromLatin1(tallix::kCannotCalculateText.data()) << 5 << 0 << "XPButton29"
            << "" << 0 << false;
    }
    void editingCommands() {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, button);
        QFETCH(QString, result);
        QFETCH(int, caret);
        QFETCH(bool, focused);
        MainWindowHarness harness;
        QVERIFY(harness.WaitUntilActive());
        tallix::EditBox& edit = harness.window->Text1();
        edit.SetText(text);
        edit.setSelection(start, length);
        harness.Click(button.toLatin1().constData());
        QCOMPARE(edit.Text(), result);
        QCOMPARE(edit.SelStart(), caret);
        QCOMPARE(edit.hasFocus(), focused);
        if (focused) {
            QVERIFY(!edit.hasSelectedText());
        }
    }

    void insertAfterAnOperatorOpensTheChosenFunction() {
        MainWindowHarness harness;
        QVERIFY(harness.WaitUntilActive());
        harness.window->Text1().SetText("2*");
        harness.window->Text1().SetSelStart(2);
        harness.window->List1().setCurrentRow(8);
        harness.Click("XPButton27");
        QCOMPARE(harness.window->Text1().Text(), QString("2*sqr("));
        QCOMPARE(harness.window->Text1().SelStart(), 6);
    }

    void insertWithNothingSelectedInsertsNothing() {
        MainWindowHarness harness;
        harness.window->List1().clearSelection();
        harness.Click("XPButton27");
        QVERIFY(harness.window->Text1().Text().isEmpty());
    }

    void brokenAboutLayoutIsReportedAndTheWindowGoesOn() {
        MainWindowHarness harness(QLocale(), [](tallix::DesktopService&, QWidget*) {
            throw tallix::LayoutError("frmF2.json", "cmdOK", "is missing from the layout");
        });
        harness.Click("XPButton31");
        QCOMPARE(harness.Boxes(),
                 QStringList{"Tallix|0|frmF2.json: control cmdOK: is missing from the layout"});
        harness.Type("1+2");
        QCOMPARE(harness.window->Text1().Text(), QString("3"));
    }

    void helpAndAboutLeadOutOfTheWindow() {
        MainWindowHarness harness;
        harness.Click("XPButton30");
        QCOMPARE(harness.desktop.opened, QList<QUrl>{tallix::HelpPageUrl()});
        harness.Click("XPButton31");
        QCOMPARE(harness.aboutCount, 1);
        QVERIFY(harness.Boxes().isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
