#include "controls/EditBox.h"
#include "tests/support/TableRows.h"

#include <QSignalSpy>
#include <QtTest>

using tallix::EditBox;

namespace {

// SetText leaves the caret at the start with nothing selected. SelStart
// counts the characters before the caret or the selection; setting it to
// NewValue leaves nothing selected, the caret clamped to the text.
struct Selection {
    const char* name;
    int start, length, selStart, NewValue, caret;
};
const Selection kSelections[] = {
    {"selected forward, set beyond the end", 1, 3, 1, 9, 5},
    {"selected backward, set negative", 4, -3, 1, -1, 0},
    {"caret at the end, set at the start", 5, 0, 5, 0, 0},
};

} // namespace

// The caret and selection contract of the edit box, and the key-press
// handlers that see every typed character first.
class EditBoxTest : public QObject {
    Q_OBJECT

private slots:
    void selStartReadAndSet_data() { tallix::testing::AddTableRows(kSelections); }
    void selStartReadAndSet() {
        const Selection& selection = tallix::testing::TableRow(kSelections);
        EditBox box;
        box.SetText("xyz");
        box.selectAll();
        box.SetText("abcde");
        QCOMPARE(box.cursorPosition(), 0);
        QVERIFY(!box.hasSelectedText());
        box.setSelection(selection.start, selection.length);
        QCOMPARE(box.SelStart(), selection.selStart);
        box.SetSelStart(selection.NewValue);
        QVERIFY(!box.hasSelectedText());
        QCOMPARE(box.SelStart(), selection.caret);
    }

    // Typed characters are offered first; both enter keys come as 13, and a
    // handler that zeroes them keeps them from the box.
    void keysAreOfferedAndEnterCanBeDiscarded() {
        EditBox box;
        QList<int> offered;
        QObject::connect(&box, &EditBox::KeyPress, &box, [&offered](int& KeyAscii) {
            offered.append(KeyAscii);
            KeyAscii = KeyAscii == 13 ? 0 : KeyAscii;
        });
        QSignalSpy returnPressed(&box, &QLineEdit::returnPressed);
        QTest::keyClicks(&box, "2x");
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(&box, key);
        }
        QCOMPARE(box.Text(), QString("2x"));
        QCOMPARE(offered, (QList<int>{'2', 'x', 13, 13}));
        QCOMPARE(returnPressed.count(), 0);
    }
};

QTEST_MAIN(EditBoxTest)
#include "EditBoxTest.moc"
