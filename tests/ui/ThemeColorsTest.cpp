#include "controls/LinkLabel.h"
#include "tests/ui/MainWindowHarness.h"
#include "ui/Contrast.h"
#include "ui/frmF2.h"

#include <QApplication>

using tallix::ContrastRatio;
using tallix::frmF2;
using tallix::kReadableContrast;
using tallix::ReadableOn;
using tallix::testing::AddTableRows;
using tallix::testing::MainWindowHarness;

namespace {

// Pairs whose ratio is known from the relative luminance of sRGB colours.
struct KnownRatio {
    const char* name;
    QColor a, b;
    double ratio;
};
const KnownRatio kKnownRatios[] = {
    {"black on white", Qt::black, Qt::white, 21.0},
    {"either order", Qt::white, Qt::black, 21.0},
    {"a colour on itself", QColor(0x308cc6), QColor(0x308cc6), 1.0},
    {"the lightest grey readable on white", QColor(0x767676), Qt::white, 4.542},
    {"an accent blue on white", QColor(0x308cc6), Qt::white, 3.689},
    {"pure red, green weighing most", Qt::red, Qt::white, 3.998},
};

// What ReadableOn does with a colour: keeps it, moves it on its way to black
// or white until it is readable, or gives that end, where nothing is.
enum class Outcome { Kept, Moved, End };
struct Adjustment {
    const char* name;
    QColor color, against;
    Outcome outcome;
    QColor end;
};
const Adjustment kAdjustments[] = {
    {"black text on white", Qt::black, Qt::white, Outcome::Kept, {}},
    {"dark theme text on its own ground", QColor(0xf0f0f0), QColor(0x323232), Outcome::Kept, {}},
    {"dark theme text on white", QColor(0xf0f0f0), Qt::white, Outcome::Moved, Qt::black},
    {"accent blue as a link on white", QColor(0x308cc6), Qt::white, Outcome::Moved, Qt::black},
    {"accent under light selected text", QColor(0x3daee9), QColor(0xfcfcfc), Outcome::Moved,
     Qt::black},
    {"black text on a dark ground", Qt::black, QColor(0x2a2e32), Outcome::Moved, Qt::white},
    {"a grey on itself", QColor(0x555555), QColor(0x555555), Outcome::Moved, Qt::white},
    {"a ground no colour stands 5:1 apart from", Qt::white, QColor(0x7a7a7a), Outcome::End,
     Qt::black},
};

// A dark desktop, as a dark theme gives it to the application.
QPalette DarkDesktop() {
    QPalette palette;
    const std::pair<QPalette::ColorRole, QColor> kRoles[] = {
        {QPalette::Window, QColor(0x323232)},    {QPalette::WindowText, QColor(0xf0f0f0)},
        {QPalette::Base, QColor(0x242424)},      {QPalette::Text, QColor(0xf0f0f0)},
        {QPalette::Button, QColor(0x323232)},    {QPalette::ButtonText, QColor(0xf0f0f0)},
        {QPalette::Highlight, QColor(0x3daee9)}, {QPalette::HighlightedText, QColor(0xfcfcfc)},
    };
    for (const auto& [role, color] : kRoles) {
        palette.setColor(role, color);
    }
    return palette;
}

// A control of the main window or the About box, the colour role checked
// and the colour it must have there on a dark desktop.
struct Expected {
    const char* name;
    bool inAbout;
    const char* control;
    QPalette::ColorRole role;
    QColor color;
};
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
    {"version ground, the highlighted text colour", true, "Label2", QPalette::Window,
     QColor(0xfcfcfc)},
};

} // namespace

class ThemeColorsTest : public QObject {
    Q_OBJECT

private slots:
    // Every window of this test is built on a dark desktop.
    void initTestCase() { QApplication::setPalette(DarkDesktop()); }

    void contrastRatioIsTheKnownFigure_data() { AddTableRows(kKnownRatios); }
    void contrastRatioIsTheKnownFigure() {
        QFETCH(int, row);
        const KnownRatio& pair = kKnownRatios[row];
        QVERIFY2(std::abs(ContrastRatio(pair.a, pair.b) - pair.ratio) < 0.001,
                 qPrintable(QString::number(ContrastRatio(pair.a, pair.b))));
    }

    void readableOnMovesAColourOnlyAsFarAsNeeded_data() { AddTableRows(kAdjustments); }
    void readableOnMovesAColourOnlyAsFarAsNeeded() {
        QFETCH(int, row);
        const Adjustment& adjustment = kAdjustments[row];
        const QColor readable = ReadableOn(adjustment.color, adjustment.against);
        const double ratio = ContrastRatio(readable, adjustment.against);
        const QByteArray shown = readable.name().toLatin1() + " at " + QByteArray::number(ratio);
        switch (adjustment.outcome) {
        case Outcome::Kept:
            QCOMPARE(readable, adjustment.color);
            break;
        case Outcome::End:
            QCOMPARE(readable, adjustment.end);
            break;
        case Outcome::Moved:
            QVERIFY2(ratio >= kReadableContrast && ratio < kReadableContrast + 0.1, shown);
            // Towards its end: every channel has moved that way, none past it.
            for (auto channel : {&QColor::red, &QColor::green, &QColor::blue}) {
                const int from = (adjustment.color.*channel)(), to = (readable.*channel)();
                const int end = (adjustment.end.*channel)();
                QVERIFY2(std::abs(end - to) <= std::abs(end - from), shown);
            }
            // Darkened, a colour keeps its hue (a grey has none: -1).
            const int hue = adjustment.color.hsvHue();
            if (adjustment.end == Qt::black && hue >= 0) {
                QVERIFY2(std::abs(readable.hsvHue() - hue) <= 2, shown);
            }
            break;
        }
    }

    void controlsKeepTheirColoursOnADarkDesktop_data() { AddTableRows(kExpected); }
    void controlsKeepTheirColoursOnADarkDesktop() {
        QFETCH(int, row);
        const Expected& expected = kExpected[row];
        MainWindowHarness harness;
        const QWidget* control = harness.Find(expected.control, expected.inAbout);
        QVERIFY(control != nullptr);
        for (auto group : {QPalette::Active, QPalette::Inactive}) {
            QCOMPARE(control->palette().color(group, expected.role).name(), expected.color.name());
        }
    }

    // The link's colour is the desktop's highlight, which on white is too
    // light to read: it is darkened, keeping its hue.
    void theLinkIsTheHighlightDarkenedUntilReadable() {
        MainWindowHarness harness;
        const QPalette palette = harness.About().Label1().palette();
        const QColor link = palette.color(QPalette::WindowText);
        QVERIFY2(ContrastRatio(link, palette.color(QPalette::Window)) >= kReadableContrast,
                 qPrintable(link.name()));
        QVERIFY2(std::abs(link.hsvHue() - QColor(0x3daee9).hsvHue()) <= 2, qPrintable(link.name()));
    }

    // What every widget of both windows draws with: its text on its ground,
    // and a selection's text on its highlight, whether its window is active
    // or not.
    void everyTextOfBothWindowsIsReadable() {
        MainWindowHarness harness;
        QList<QWidget*> widgets = {harness.window.get(), &harness.About()};
        widgets << harness.window->findChildren<QWidget*>()
                << harness.About().findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            const QPalette palette = widget->palette();
            const auto pairs = {std::pair(widget->foregroundRole(), widget->backgroundRole()),
                                std::pair(QPalette::HighlightedText, QPalette::Highlight)};
            for (auto group : {QPalette::Active, QPalette::Inactive}) {
                for (const auto& [fore, back] : pairs) {
                    QVERIFY2(ContrastRatio(palette.color(group, fore),
                                           palette.color(group, back)) >= kReadableContrast,
                             qPrintable(widget->objectName()));
                }
            }
        }
    }
};

QTEST_MAIN(ThemeColorsTest)
#include "ThemeColorsTest.moc"
