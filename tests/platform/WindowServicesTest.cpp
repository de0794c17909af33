#include "platform/CaretBlink.h"
#include "platform/QtMessageService.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStyleHints>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace std::chrono_literals;
using tallix::CaretBlink;

Q_DECLARE_METATYPE(tallix::MessageIcon)

// Remembers the QTimer that fired last: once the caret stops, the idle check.
class LastTimerFired : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* fired = qobject_cast<QTimer*>(watched); fired && event->type() == QEvent::Timer) {
            timer = fired;
        }
        return false;
    }
    QPointer<QTimer> timer;
};

class WindowServicesTest : public QObject {
    Q_OBJECT

private slots:
    // 15 twips a pixel at 96 dpi. At 120 dpi 90 twips is 7.5 px: the edges
    // round rather than the size, so neighbours still touch.
    void twipsBecomePixelsAtTheLogicalDpi() {
        QCOMPARE(tallix::TwipsToPixels(QRect(120, 855, 375, 330), 96.0), QRect(8, 57, 25, 22));
        QCOMPARE(tallix::TwipsToPixels(QRect(90, 0, 90, 12), 120.0), QRect(8, 0, 7, 1));
    }

    // Each box is read once it is up and closed before the checks, so that a
    // failed check never leaves the test waiting on it.
    void messageBoxesAreApplicationModalWithOneOkButton_data() {
        QTest::addColumn<tallix::MessageIcon>("icon");
        QTest::addColumn<QMessageBox::Icon>("shownIcon");
        QTest::newRow("stop") << tallix::MessageIcon::Stop << QMessageBox::Critical;
        QTest::newRow("warning") << tallix::MessageIcon::Warning << QMessageBox::Warning;
    }
    void messageBoxesAreApplicationModalWithOneOkButton() {
        QFETCH(tallix::MessageIcon, icon);
        QFETCH(QMessageBox::Icon, shownIcon);
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
        QCOMPARE(shown, (QStringList{"Error", "The expression is illegal.",
                                     QString::number(shownIcon), QString::number(QMessageBox::Ok),
                                     QString::number(Qt::ApplicationModal)}));
    }

    // A second of typing, longer than the idle time, never lets the caret
    // stop; idle, it stops, and every kind of input brings it back until the
    // next stop, after which no timer is left to wake the idle program. The
    // watcher gone leaves the desktop's blink.
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
            LastTimerFired last;
            qApp->installEventFilter(&last);
            QTRY_VERIFY_WITH_TIMEOUT(!blink.IsBlinking(), 5000);
            QVERIFY(last.timer);
            QVERIFY(!last.timer->isActive());
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
