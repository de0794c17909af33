#include "CaretBlink.h"
#include "EditBox.h"
#include "QtMessageService.h"
#include "Twips.h"

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <utility>

using namespace std::chrono_literals;
using tallix::CaretBlink;
using tallix::EditBox;

class WindowServicesTest : public QObject {
    Q_OBJECT

private slots:
    // SetText leaves the caret at the start with nothing selected. SelStart
    // counts the characters before the caret or the selection; setting it
    // leaves nothing selected, clamped to the text.
    void selStartReadAndSet_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("NewValue");
        QTest::addColumn<int>("caret");
        QTest::newRow("selected forward, set beyond the end") << 1 << 3 << 1 << 9 << 5;
        QTest::newRow("selected backward, set negative") << 4 << -3 << 1 << -1 << 0;
        QTest::newRow("caret at the end, set at the start") << 5 << 0 << 5 << 0 << 0;
    }
    void selStartReadAndSet() {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(int, selStart);
        QFETCH(int, NewValue);
        QFETCH(int, caret);
        EditBox box;
        box.SetText("xyz");
        box.selectAll();
        box.SetText("abcde");
        QCOMPARE(box.cursorPosition(), 0);
        QVERIFY(!box.hasSelectedText());
        box.setSelection(start, length);
        QCOMPARE(box.SelStart(), selStart);
        box.SetSelStart(NewValue);
        QVERIFY(!box.hasSelectedText());
        QCOMPARE(box.SelStart(), caret);
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

    // 15 twips a pixel at 96 dpi. At 120 dpi 90 twips is 7.5 px: the edges
    // round rather than the size, so neighbours still touch.
    void twipsBecomePixelsAtTheLogicalDpi() {
        QCOMPARE(tallix::TwipsToPixels(QRect(120, 855, 375, 330), 96.0), QRect(8, 57, 25, 22));
        QCOMPARE(tallix::TwipsToPixels(QRect(90, 0, 90, 12), 120.0), QRect(8, 0, 7, 1));
    }

    // Each box is read once it is up and closed before the checks, so that a
    // failed check never leaves the test waiting on it.
    void messageBoxesAreApplicationModalWithOneOkButton() {
        const std::pair<tallix::MessageIcon, QMessageBox::Icon> icons[] = {
            {tallix::MessageIcon::Stop, QMessageBox::Critical},
            {tallix::MessageIcon::Warning, QMessageBox::Warning}};
        for (const auto& [icon, shownIcon] : icons) {
            QStringList shown;
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    shown << box->windowTitle() << box->text() << QString::number(box->icon())
                          << QString::number(box->standardButtons().toInt())
                          << QString::number(box->windowModality());
                    box->done(QMessageBox::Ok);
                }
            });
            tallix::QtMessageService().ShowMessage("The expression is illegal.", "Error", icon);
            QCOMPARE(shown,
                     (QStringList{"Error", "The expression is illegal.", QString::number(shownIcon),
                                  QString::number(QMessageBox::Ok),
                                  QString::number(Qt::ApplicationModal)}));
        }
    }

    // A second of typing, longer than the idle time, never lets the caret
    // stop; idle, it stops, and every kind of input brings it back until the
    // next stop. The watcher gone leaves the desktop's blink.
    void caretStopsBlinkingWhileTheUserIsAway() {
        const auto FlashTime = [] { return QGuiApplication::styleHints()->cursorFlashTime(); };
        const int desktopFlashTime = FlashTime();
        QVERIFY(desktopFlashTime > 0);
        QLineEdit edit;
        edit.show();
        QVERIFY(QTest::qWaitForWindowActive(&edit));
        {
            CaretBlink blink(*qApp, 600ms);
            for (int i = 0; i < 20; ++i) {
                QTest::keyClick(&edit, Qt::Key_1);
                QTest::qWait(50);
                QVERIFY(blink.IsBlinking());
            }
            const std::function<void()> inputs[] = {
                [&edit] { QTest::keyClick(&edit, Qt::Key_5); },
                [&edit] { QTest::mouseClick(&edit, Qt::LeftButton); },
                [&edit] { QTest::mouseMove(&edit, QPoint(5, 5)); },
            };
            for (const auto& input : inputs) {
                QTRY_VERIFY_WITH_TIMEOUT(!blink.IsBlinking(), 5000);
                QCOMPARE(FlashTime(), 0);
                input();
                QVERIFY(blink.IsBlinking());
                QCOMPARE(FlashTime(), desktopFlashTime);
            }
            QTRY_VERIFY_WITH_TIMEOUT(!blink.IsBlinking(), 5000);
        }
        QCOMPARE(FlashTime(), desktopFlashTime);
    }

    // Runs last: the watcher stays until the application object goes, which
    // the end of the test program exercises.
    void caretBlinkWatchesForTheLifeOfTheApplication() {
        tallix::InstallCaretBlink(*qApp);
        const auto* blink = qApp->findChild<CaretBlink*>();
        QVERIFY(blink != nullptr && blink->IsBlinking());
    }
};

QTEST_MAIN(WindowServicesTest)
#include "WindowServicesTest.moc"
