#include "tests/ui/MainWindowHarness.h"

#include <QApplication>

using tallix::testing::AddTableRows;
using tallix::testing::MainWindowHarness;
using tallix::testing::TableRow;

namespace {

// A control of the main window or the About box, the colour role checked
// and the colour it must have there on a dark desktop.
struct Expected {
    const char* name;
    bool inAbout;
    const char* control;
    QPalette::ColorRole role;
    QColor color;
};
const QColor kHighlight(0x3daee9), kHighlightedText(0xfcfcfc);
const Expected kExpected[] = {
    // Text the layouts leave open is black, as on a light desktop.
    {"caption", false, "Label1", QPalette::WindowText, Qt::black},
    {"option", false, "Option1", QPalette::WindowText, Qt::black},
    {"edit box text", false, "Text1", QPalette::Text, Qt::black},
    {"list entries", false, "List1", QPalette::Text, Qt::black},
    {"version", true, "Label2", QPalette::WindowText, Qt::black},
    // Colours the layouts give are kept.
    {"window", false, "frmMain", QPalette::Window, Qt::white},
    {"edit box ground, the window's", false, "Text1", QPalette::Base, Qt::white},
    {"title", true, "lblTitle", QPalette::WindowText, Qt::black},
    {"version ground, the highlighted text", true, "Label2", QPalette::Window, kHighlightedText},
    // The desktop's highlight, too light on white, darkened in steps towards
    // black, hue kept, to the first that stands 5:1 apart from white.
    {"link", true, "Label1", QPalette::WindowText, QColor(0x29769e)},
};

} // namespace

class ThemeColorsTest : public QObject {
    Q_OBJECT

private slots:
    // Every window of this test is built on a dark desktop.
    void initTestCase() {
        QPalette dark(QColor(0x323232)); // dark grounds, light text
        dark.setColor(QPalette::Highlight, kHighlight);
        dark.setColor(QPalette::HighlightedText, kHighlightedText);
        QApplication::setPalette(dark);
    }

    void controlsKeepTheirColoursOnADarkDesktop_data() { AddTableRows(kExpected); }
    void controlsKeepTheirColoursOnADarkDesktop() {
        const Expected& expected = TableRow(kExpected);
        MainWindowHarness harness;
        const QWidget* control = harness.Find(expected.control, expected.inAbout);
        for (auto group : {QPalette::Active, QPalette::Inactive}) {
            QCOMPARE(control->palette().color(group, expected.role).name(), expected.color.name());
        }
    }
};

QTEST_MAIN(ThemeColorsTest)
#include "ThemeColorsTest.moc"
