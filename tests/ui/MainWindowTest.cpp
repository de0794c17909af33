#include "controls/LinkLabel.h"
#include "engine/Calculation.h"
#include "engine/EngineError.h"
#include "tests/ui/MainWindowHarness.h"
#include "ui/Contrast.h"
#include "ui/FunctionList.h"
#include "ui/LayoutError.h"
#include "ui/WindowIcon.h"
#include "ui/frmF2.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>

using namespace tallix;
using tallix::testing::MainWindowHarness;

namespace {

const QString kCannot = QString::fromLatin1(kCannotCalculateText.data());

// Typed into Text1 before Enter: what the box then shows, the message box
// shown, if any, and where the caret is.
struct Calculation {
    const char* name;
    QString typed, shown, box;
    int caret;
};
const QString kStop = "Syntax Error|0|Character ";
const QString kOverflow = "Error|1|" + QString::fromLatin1(ErrorDescription::Overflow);
const Calculation kCalculations[] = {
    {"cannot calculate", "1/0", kCannot, "", 0},
    {"the sentinel itself", "-0.12345", "-0.12345", "", 0},
    {"illegal, not written back", "2=2", "2=2", "Error|1|The expression is illegal.", 3},
    {"only spaces, emptied", "  ", "", kStop + "1:  Operand expected", 0},
    {"written back, then refused", "2,5 *", "2.5*", kStop + "4:  Operand expected", 0},
    {"overflow, text kept", "10 ^ 39", "10^39", kOverflow, 0},
};

// An editing command given by clicking its button on Text1 with the given
// selection (start, length) and list entry (-1: the first, deselected as
// Ctrl+click leaves it); the text, caret and focus it leaves.
struct Edit {
    const char* name;
    std::string_view button;
    QString text;
    int start, length, entry;
    QString result;
    int caret;
    bool focused;
};
const Edit kEdits[] = {
    {"keypad beside a selection, kept", "XPButton7", "abc", 1, 1, 0, "a1bc", 2, true},
    {"backspace at the start does nothing", kBackspaceButton, "1+2", 0, 0, 0, "1+2", 0, false},
    {"backspace before a selection", kBackspaceButton, "abc", 2, 1, 0, "ac", 1, true},
    {"delete at the end does nothing", kDeleteButton, "1+2", 3, 0, 0, "1+2", 3, false},
    {"delete a selected character", kDeleteButton, "abc", 1, 1, 0, "ac", 1, true},
    {"insert after 2*", kInsertButton, "2*", 2, 0, 8, "2*sqr(", 6, true},
    {"insert with the entry deselected does nothing", kInsertButton, "1", 1, 0, -1, "1", 1, false},
    {"clear a message, focus stays away", kClearButton, kCannot, 5, 0, 0, "", 0, false},
};

// Through the window system, as a user's click arrives, so that modality applies.
void ClickThroughTheWindow(QWidget& window, QWidget& control) {
    const QPoint centre = control.mapTo(&window, control.rect().center());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, centre);
}

// Runs the About command and, once its modal box is up, acts on it; tells
// whether the box came up and the action closed it. A box left open is
// closed, so that a fault never hangs the test run.
bool AboutClosedBy(const MainWindowHarness& harness, const std::function<void(frmF2&)>& act) {
    bool closed = false;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<frmF2*>(QApplication::activeModalWidget())) {
            act(*box);
            closed = !box->isVisible();
            box->reject();
        }
    });
    harness.Click(kAboutButton);
    return closed;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The load step: "Arc" chosen, the options on white, the list filled
    // with its entries, the first, abs(), chosen, and the focus in Text1.
    void opensFixedWithArcChosenTheListFilledAndTheFocusInText1() {
        MainWindowHarness harness;
        const frmMain& window = *harness.window;
        QCOMPARE(window.windowTitle(), QString("Tallix"));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(window.Option1().isChecked() && !window.Option2().isChecked());
        // What is shown, not just the palette: a button fills with its own role.
        const QImage option = window.Option2().grab().toImage();
        QCOMPARE(option.pixelColor(option.width() - 1, 0), QColor(Qt::white));
        QVERIFY(harness.Text1().hasFocus());
        const QListView& list = window.List1();
        QCOMPARE(list.model()->rowCount(), int(std::size(kFunctionListEntries)));
        QCOMPARE(list.currentIndex().data().toString(), QString("abs()"));
        QVERIFY(list.selectionModel()->isSelected(list.currentIndex()));
    }

    void enterCalculates_data() { tallix::testing::AddTableRows(kCalculations); }
    void enterCalculates() {
        const Calculation& calculation = tallix::testing::TableRow(kCalculations);
        MainWindowHarness harness;
        harness.Type(calculation.typed);
        QCOMPARE(harness.Text1().Text(), calculation.shown);
        QCOMPARE(harness.Text1().cursorPosition(), calculation.caret);
        QVERIFY(!harness.Text1().hasSelectedText());
        QCOMPARE(harness.Boxes().join(""), calculation.box);
    }

    // With the mouse: keypad keys and Calculate, then sin(90) in each angle
    // mode, read afresh at each calculation.
    void mouseClicksThroughToResults() {
        MainWindowHarness harness;
        for (const char* button : {"XPButton7", "XPButton16", "XPButton12"}) {
            harness.Click(button);
        }
        harness.Click(kCalculateButton);
        QCOMPARE(harness.Text1().Text(), QString("0.25"));
        const auto sin90 = [&harness](QRadioButton& option) {
            harness.Text1().SetText("sin(90)");
            QTest::mouseClick(&option, Qt::LeftButton);
            harness.Click(kCalculateButton);
            return harness.Text1().Text();
        };
        QCOMPARE(sin90(harness.window->Option2()), QString("1"));
        QCOMPARE(sin90(harness.window->Option1()), QString("0.8939967"));
    }

    void editingCommands_data() { tallix::testing::AddTableRows(kEdits); }
    void editingCommands() {
        const Edit& edit = tallix::testing::TableRow(kEdits);
        MainWindowHarness harness;
        EditBox& text = harness.Text1();
        text.SetText(edit.text);
        text.setSelection(edit.start, edit.length);
        QListView& list = harness.window->List1();
        list.setCurrentIndex(list.model()->index(std::max(edit.entry, 0), 0));
        if (edit.entry < 0) {
            list.selectionModel()->clearSelection();
        }
        harness.Click(edit.button);
        QCOMPARE(text.Text(), edit.result);
        QCOMPARE(text.SelStart(), edit.caret);
        QCOMPARE(text.hasFocus(), edit.focused);
        QVERIFY(!edit.focused || !text.hasSelectedText());
    }

    void brokenAboutLayoutIsReportedAndTheWindowGoesOn() {
        MainWindowHarness harness([](DesktopService&, QWidget*) {
            throw LayoutError("frmF2.json", "cmdOK", "is missing from the layout");
        });
        harness.Click(kAboutButton);
        QCOMPARE(harness.Boxes(),
                 QStringList{"Tallix|0|frmF2.json: control cmdOK: is missing from the layout"});
        harness.Type("1+2");
        QCOMPARE(harness.Text1().Text(), QString("3"));
    }

    // Each About builds a new box, with OK in the focus, that blocks the main
    // window, opens the link and stays up, and closes by OK clicked or Enter.
    void aboutIsModalAndFreshEachTime() {
        MainWindowHarness harness;
        QWidget& keyOne = harness.Button("XPButton7");
        QVERIFY(AboutClosedBy(harness, [&](frmF2& box) {
            QCOMPARE(box.focusWidget(), &box.cmdOK());
            QVERIFY(box.Label1().font().underline());
            QCOMPARE(box.Label1().cursor().shape(), Qt::PointingHandCursor);
            ClickThroughTheWindow(*harness.window, keyOne);
            QTest::mouseClick(&box.Label1(), Qt::LeftButton);
            QVERIFY(box.isVisible());
            box.Label1().setText("changed");
            QTest::mouseClick(&box.cmdOK(), Qt::LeftButton);
        }));
        QCOMPARE(harness.desktop.opened, QList<QUrl>{QUrl("http://tallix.example.org/ourfiles")});
        QVERIFY(harness.Text1().Text().isEmpty());
        QVERIFY(AboutClosedBy(harness, [](frmF2& box) {
            QCOMPARE(box.Label1().text(), QString("tallix.example.org"));
            QTest::keyClick(&box.cmdOK(), Qt::Key_Return);
        }));
        ClickThroughTheWindow(*harness.window, keyOne);
        QCOMPARE(harness.Text1().Text(), QString("1"));
    }

    // The link shows the keyboard focus as the keys do: the pixels that change
    // as it takes the focus from OK each contrast 3:1 at least with what they
    // cover (as marks that are not text must), and outline something nearly
    // as tall as the link, about one pixel in two.
    void aboutLinkShowsItsFocusWithDots() {
        MainWindowHarness harness;
        frmF2& box = harness.About();
        LinkLabel& link = box.Label1();
        box.show();
        box.activateWindow(); // keys and the focus go to the active window
        QTRY_COMPARE(QApplication::activeWindow(), &box);
        box.cmdOK().setFocus();
        const QImage without = link.grab().toImage();
        link.setFocus();
        QVERIFY(link.hasFocus());
        const QImage with = link.grab().toImage();
        QRect outline;
        int changed = 0;
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                const QColor before = without.pixelColor(x, y), after = with.pixelColor(x, y);
                if (before != after) {
                    ++changed;
                    outline |= QRect(x, y, 1, 1);
                    QVERIFY2(ContrastRatio(before, after) >= 3.0, qPrintable(after.name()));
                }
            }
        }
        QVERIFY2(outline.height() >= with.height() * 3 / 4 &&
                     changed >= (outline.width() + outline.height() - 2) * 9 / 10,
                 qPrintable(QString::number(changed) + " pixels changed"));
    }

    // Both drawn sizes are built in, pixel for pixel, so neither is shown scaled.
    void windowIconHasBothDrawnSizes() {
        const auto pixels = [](const QImage& image) {
            const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
            return QByteArray(reinterpret_cast<const char*>(argb.constBits()), argb.sizeInBytes());
        };
        const QIcon icon = tallix::TallixIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
        for (const int size : {16, 32}) {
            const QImage drawn(QStringLiteral(TALLIX_ICON_FOLDER "/tallix-%1.png").arg(size));
            QCOMPARE(pixels(icon.pixmap(size).toImage()), pixels(drawn));
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
