#include "CaretBlink.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>

#include <memory>

using namespace std::chrono_literals;
using tallix::CaretBlink;

namespace {

// Counts the timer events of a line edit's text control, which are its caret
// blinks: a steady caret means no wake-ups at all.
class BlinkCounter : public QObject {
public:
    explicit BlinkCounter(QLineEdit& edit) {
        for (QObject* child : edit.findChildren<QObject*>()) {
            if (qstrcmp(child->metaObject()->className(), "QWidgetLineControl") == 0)
                child->installEventFilter(this);
        }
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Timer)
            ++count;
        return false;
    }
};

int FlashTime() {
    return QGuiApplication::styleHints()->cursorFlashTime();
}

// One kind of user input delivered to a widget.
using Input = void (*)(QWidget*);
void PressKey(QWidget* widget) {
    QTest::keyClick(widget, Qt::Key_5);
}
void ClickMouse(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}
void MoveMouse(QWidget* widget) {
    QTest::mouseMove(widget, QPoint(5, 5));
}

} // namespace

Q_DECLARE_METATYPE(Input)

class CaretBlinkTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void stopsAfterTheIdleTime();
    void inputBringsTheBlinkBack_data();
    void inputBringsTheBlinkBack();
    void steadyInputKeepsItBlinking();
    void lineEditFollowsTheSwitchAtRunTime();
    void destroyingRestoresTheBlink();
    void installedForTheLifeOfTheApplication();

private:
    void StopBlinking(CaretBlink& blink);

    std::unique_ptr<QLineEdit> edit_;
    int desktopFlashTime_ = 0;
};

void CaretBlinkTest::init() {
    desktopFlashTime_ = FlashTime();
    QVERIFY(desktopFlashTime_ > 0);
    edit_ = std::make_unique<QLineEdit>();
    edit_->show();
    edit_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(edit_.get()));
    edit_->setFocus();
}

void CaretBlinkTest::cleanup() {
    edit_.reset();
    QCOMPARE(FlashTime(), desktopFlashTime_);
}

void CaretBlinkTest::StopBlinking(CaretBlink& blink) {
    QTRY_VERIFY_WITH_TIMEOUT(!blink.IsBlinking(), 5000);
    QCOMPARE(FlashTime(), 0);
}

void CaretBlinkTest::stopsAfterTheIdleTime() {
    CaretBlink blink(*qApp, 200ms);
    QVERIFY(blink.IsBlinking());
    QCOMPARE(FlashTime(), desktopFlashTime_);
    StopBlinking(blink);
}

void CaretBlinkTest::inputBringsTheBlinkBack_data() {
    QTest::addColumn<Input>("input");
    QTest::newRow("key press") << &PressKey;
    QTest::newRow("mouse click") << &ClickMouse;
    QTest::newRow("mouse move") << &MoveMouse;
}

void CaretBlinkTest::inputBringsTheBlinkBack() {
    QFETCH(Input, input);
    CaretBlink blink(*qApp, 200ms);
    StopBlinking(blink);

    input(edit_.get());

    QVERIFY(blink.IsBlinking());
    QCOMPARE(FlashTime(), desktopFlashTime_);
    StopBlinking(blink); // and it stops again after the next idle time
}

void CaretBlinkTest::steadyInputKeepsItBlinking() {
    CaretBlink blink(*qApp, 600ms);
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(edit_.get(), Qt::Key_1);
        QTest::qWait(50);
    }
    // A second of typing, longer than the idle time, and the caret still blinks.
    QVERIFY(blink.IsBlinking());
    StopBlinking(blink);
}

void CaretBlinkTest::lineEditFollowsTheSwitchAtRunTime() {
    BlinkCounter blinks(*edit_);
    QTRY_VERIFY_WITH_TIMEOUT(blinks.count >= 2, 5000);

    // Idle longer than half a flash period, so that the blink resumed by the
    // key press ticks at least once before it stops again.
    const auto idleTime = std::chrono::milliseconds(desktopFlashTime_);
    CaretBlink blink(*qApp, idleTime);
    StopBlinking(blink);
    blinks.count = 0;
    QTest::qWait(desktopFlashTime_);
    QCOMPARE(blinks.count, 0);

    QTest::keyClick(edit_.get(), Qt::Key_2);
    QTRY_VERIFY_WITH_TIMEOUT(blinks.count >= 1, 5000);
}

void CaretBlinkTest::destroyingRestoresTheBlink() {
    {
        CaretBlink blink(*qApp, 100ms);
        StopBlinking(blink);
    }
    QCOMPARE(FlashTime(), desktopFlashTime_);
}

// Runs last: the watcher stays until the application object goes, which the
// end of the test program exercises.
void CaretBlinkTest::installedForTheLifeOfTheApplication() {
    tallix::InstallCaretBlink(*qApp);
    auto* blink = qApp->findChild<CaretBlink*>();
    QVERIFY(blink != nullptr);
    QVERIFY(blink->IsBlinking());
}

QTEST_MAIN(CaretBlinkTest)
#include "CaretBlinkTest.moc"
