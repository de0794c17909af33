#include "controls/XPButton.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/TableRows.h"

#include <QAccessible>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using tallix::XPButton;

namespace {

// The events of one button, in the order raised, each with its parameters.
class EventLog : public QObject {
    template <typename... Args> auto Line(const char* name) {
        return [this, name](Args&... args) {
            QString line = name;
            ((line += ' ' + QString::number(args)), ...);
            lines << line;
        };
    }

public:
    explicit EventLog(XPButton& button) {
        connect(&button, &XPButton::Click, this, Line<>("Click"));
        connect(&button, &XPButton::DoubleClick, this, Line<>("DoubleClick"));
        connect(&button, &XPButton::KeyDown, this, Line<qint16, qint16>("KeyDown"));
        connect(&button, &XPButton::KeyPress, this, Line<qint16>("KeyPress"));
        connect(&button, &XPButton::KeyUp, this, Line<qint16, qint16>("KeyUp"));
        connect(&button, &XPButton::MouseDown, this,
                Line<qint16, qint16, float, float>("MouseDown"));
        connect(&button, &XPButton::MouseUp, this, Line<qint16, qint16, float, float>("MouseUp"));
    }
    QStringList lines;
};

bool ShowsPressed(XPButton& button) {
    return QAccessible::queryAccessibleInterface(&button)->state().pressed;
}

// A left or right press at (30, 10) with or without Shift, and where it is
// released. A click is a left press on the control released over its shape.
struct Press {
    const char* name;
    bool left, shift;
    int releaseX, releaseY;
    QString events;
};
const Press kPresses[] = {
    {"left clicks", true, false, 30, 10, "MouseDown 1 0 30 10, MouseUp 1 0 30 10, Click"},
    {"shift and right do not click", false, true, 30, 10, "MouseDown 2 1 30 10, MouseUp 2 1 30 10"},
    {"released on a rounded-off corner", true, false, 0, 0, "MouseDown 1 0 30 10, MouseUp 1 0 0 0"},
};

// A key clicked with the text the window system types with it.
struct Key {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifier modifier;
    QString text, events;
};
const Key kKeys[] = {
    {"Return clicks after its key press", Qt::Key_Return, Qt::NoModifier, "\r",
     "KeyDown 13 0, KeyPress 13, Click, KeyUp 13 0"},
    {"space does not click", Qt::Key_Space, Qt::NoModifier, " ",
     "KeyDown 32 0, KeyPress 32, KeyUp 32 0"},
    {"shifted letter", Qt::Key_A, Qt::ShiftModifier, "A",
     "KeyDown 16 1, KeyDown 65 1, KeyPress 65, KeyUp 65 1, KeyUp 16 0"},
    {"keypad digit", Qt::Key_7, Qt::KeypadModifier, "7", "KeyDown 103 0, KeyPress 55, KeyUp 103 0"},
    {"function key types nothing", Qt::Key_F2, Qt::NoModifier, "", "KeyDown 113 0, KeyUp 113 0"},
};

} // namespace

// The button's mouse, keyboard, focus and hover handling, on a window as the
// window system delivers its events: hit-testing honours the rounded shape
// and a release goes to the control that took the press.
class ButtonInputTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window_;
    XPButton* button_ = nullptr;
    QLineEdit* other_ = nullptr;
    std::unique_ptr<EventLog> log_;

    void Mouse(QTest::MouseAction action, Qt::MouseButton which, QPoint at,
               Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseEvent(action, window_->windowHandle(), which, modifiers,
                          button_->mapTo(window_.get(), at));
    }
    void PointAt(QPoint inButton) { QCursor::setPos(button_->mapToGlobal(inButton)); }
    QString Events() const { return log_->lines.join(", "); }

private slots:
    void init() {
        window_ = std::make_unique<QWidget>();
        window_->setGeometry(100, 100, 200, 100);
        QCursor::setPos(window_->mapToGlobal(QPoint(150, 90)));
        other_ = new QLineEdit(window_.get());
        other_->setGeometry(10, 60, 100, 22);
        button_ = new XPButton(window_.get());
        button_->setGeometry(20, 20, 58, 22);
        button_->InitProperties(); // run mode: the hover poll starts
        button_->setRoundedValue(10);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->activateWindow();
        button_->setFocus();
        QTRY_VERIFY(button_->hasFocus());
        log_ = std::make_unique<EventLog>(*button_);
    }
    void cleanup() { window_.reset(); }

    void mouse_data() { tallix::testing::AddTableRows(kPresses); }
    void mouse() {
        const Press& press = tallix::testing::TableRow(kPresses);
        const Qt::MouseButton which = press.left ? Qt::LeftButton : Qt::RightButton;
        const Qt::KeyboardModifiers modifiers = press.shift ? Qt::ShiftModifier : Qt::NoModifier;
        Mouse(QTest::MousePress, which, {30, 10}, modifiers);
        QCOMPARE(ShowsPressed(*button_), press.left);
        Mouse(QTest::MouseRelease, which, {press.releaseX, press.releaseY}, modifiers);
        QVERIFY(!ShowsPressed(*button_));
        QCOMPARE(Events(), press.events);
    }

    // A release the control never had the press of does not click, even
    // after a click: the window drops it, another container may not.
    void releaseWithoutPress() {
        Mouse(QTest::MouseClick, Qt::LeftButton, {30, 10});
        QMouseEvent release(QEvent::MouseButtonRelease, QPoint(30, 10),
                            button_->mapToGlobal(QPoint(30, 10)), Qt::LeftButton, {}, {});
        QCoreApplication::sendEvent(button_, &release);
        QCOMPARE(Events(), "MouseDown 1 0 30 10, MouseUp 1 0 30 10, Click, MouseUp 1 0 30 10");
    }

    // The second press of a double click is the double click alone.
    void doubleClick() {
        Mouse(QTest::MouseDClick, Qt::LeftButton, {7, 8});
        QCOMPARE(Events(),
                 "MouseDown 1 0 7 8, MouseUp 1 0 7 8, Click, DoubleClick, MouseUp 1 0 7 8");
    }

    void keys_data() { tallix::testing::AddTableRows(kKeys); }
    void keys() {
        const Key& key = tallix::testing::TableRow(kKeys);
        QTest::sendKeyEvent(QTest::Click, button_, key.key, key.text, key.modifier);
        QCOMPARE(Events(), key.events);
    }

    // Losing the focus does not lift a held space, nor do the releases the
    // window system repeats while it is held: only its real key-up does.
    void heldSpaceShowsPressedWithoutClick() {
        QTest::keyPress(button_, Qt::Key_Space);
        QVERIFY(ShowsPressed(*button_));
        for (const QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent repeated(type, Qt::Key_Space, Qt::NoModifier, " ", true);
            QCoreApplication::sendEvent(button_, &repeated);
        }
        QVERIFY(ShowsPressed(*button_));
        QVERIFY(!Events().contains("KeyUp"));
        other_->setFocus();
        QTRY_VERIFY(other_->hasFocus());
        QVERIFY(ShowsPressed(*button_));
        QTest::keyRelease(button_, Qt::Key_Space);
        QVERIFY(!ShowsPressed(*button_));
        QVERIFY(!Events().contains("Click"));
    }

    // The control reads KeyAscii, KeyCode and Button back after its handlers ran.
    void handlersChangingByReferenceValuesStopWhatFollows() {
        connect(button_, &XPButton::KeyPress, this, [](qint16& KeyAscii) { KeyAscii = 0; });
        connect(button_, &XPButton::KeyDown, this, [](qint16& KeyCode, qint16&) { KeyCode = 0; });
        connect(button_, &XPButton::MouseDown, this,
                [](qint16& Button, qint16&, float&, float&) { Button = 2; });
        QTest::keyClick(button_, Qt::Key_Return);
        QCOMPARE(Events(), "KeyDown 13 0, KeyPress 13, KeyUp 13 0");
        QTest::keyPress(button_, Qt::Key_Space);
        QVERIFY(!ShowsPressed(*button_));
        QTest::keyRelease(button_, Qt::Key_Space);
        Mouse(QTest::MousePress, Qt::LeftButton, {30, 10});
        QVERIFY(!ShowsPressed(*button_));
        Mouse(QTest::MouseRelease, Qt::LeftButton, {30, 10});
    }

    // No event and no flag change for clicks, keys, focus or the pointer. A
    // space held and the focus had before disabling show again (pressed, with
    // dots) with the control, and the pointer found over it raises MouseEnters.
    void disabledControlRaisesNothingAndKeepsItsFlags() {
        QTest::keyPress(button_, Qt::Key_Space);
        button_->setEnabledFlag(false);
        QSignalSpy enters(button_, &XPButton::MouseEnters);
        connect(button_, &XPButton::MouseMove, this, [this] { log_->lines << "MouseMove"; });
        QTest::keyRelease(button_, Qt::Key_Space);
        Mouse(QTest::MouseMove, Qt::NoButton, {31, 10});
        Mouse(QTest::MouseClick, Qt::LeftButton, {30, 10});
        Mouse(QTest::MouseDClick, Qt::LeftButton, {30, 10});
        QTest::keyClick(button_, Qt::Key_Return);
        other_->setFocus(); // after the clicks, which give the focus back
        QTRY_VERIFY(other_->hasFocus());
        PointAt({29, 11});
        QTest::qWait(150);
        QCOMPARE(Events(), "KeyDown 32 0, KeyPress 32"); // before disabling
        QCOMPARE(enters.count(), 0);
        button_->setEnabledFlag(true);
        QVERIFY(ShowsPressed(*button_));
        QCOMPARE(button_->Surface().pixel(3, 2), qRgb(0, 0, 0));
        QTRY_COMPARE(enters.count(), 1);
    }

    void accessKeyShowsItsCodeEvenWhileDisabled() {
        QCoreApplication::setApplicationName("Tallix");
        tallix::testing::RecordingMessageService messages;
        button_->setMessageService(&messages);
        button_->grabShortcut(QKeySequence::mnemonic("&K"));
        button_->setEnabledFlag(false);
        QTest::keyClick(window_.get(), Qt::Key_K, Qt::AltModifier);
        QCOMPARE(messages.boxes, std::vector<std::string>{"Tallix|2|75"});
        QCOMPARE(Events(), "");
    }

    // The press action (names are the windows' tests' concern) clicks the
    // control while enabled.
    void assistiveTechnologyPressesIt() {
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(button_);
        QAccessibleActionInterface* actions = access->actionInterface();
        actions->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(Events(), "Click");
        button_->setEnabledFlag(false);
        QVERIFY(access->state().disabled);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents();
        QCOMPARE(Events(), "Click");
    }

    // The pointer entering and leaving raises one event each (the hot look
    // is the painting's and the real pointer's concern). While the pointer is over none of the
    // application's windows the poll rests: no tick comes after the one that finds it outside,
    // until the pointer enters a window again.
    void hoverEntersLeavesAndRestsOutsideEveryWindow() {
        const QTimer* poll = button_->findChild<QTimer*>("tmrCheck");
        QSignalSpy enters(button_, &XPButton::MouseEnters);
        QSignalSpy leaves(button_, &XPButton::MouseLeaves);
        PointAt({29, 11});
        QTRY_COMPARE(enters.count(), 1);
        const QPoint screen = button_->mapToGlobal(QPoint(29, 11));
        QCOMPARE(enters.at(0), (QList<QVariant>{screen.x(), screen.y()}));
        PointAt({100, 50});
        QTRY_COMPARE(leaves.count(), 1);
        QCursor::setPos(window_->geometry().bottomRight() + QPoint(40, 40));
        QTRY_VERIFY(!poll->isActive());
        QSignalSpy ticks(poll, &QTimer::timeout);
        QTest::qWait(200); // four poll periods
        QCOMPARE(ticks.count(), 0);
        QCOMPARE(leaves.count(), 1);
        PointAt({29, 11});
        QTRY_COMPARE(enters.count(), 2);
        QVERIFY(poll->isActive());
    }

    // The polls share one answer while the pointer rests; a widget shown
    // under the pointer makes the next poll ask again.
    void hoverFollowsAWidgetShownUnderARestingPointer() {
        QSignalSpy enters(button_, &XPButton::MouseEnters);
        QSignalSpy leaves(button_, &XPButton::MouseLeaves);
        PointAt({2, 2});
        QTRY_COMPARE(enters.count(), 1);
        QCoreApplication::processEvents(); // the hot look's repaint
        button_->PollHover();              // the answer every poll now shares
        auto* over = new QLabel(window_.get());
        over->setGeometry(QRect(button_->pos(), QSize(8, 8)));
        over->show();
        button_->PollHover();
        QCOMPARE(leaves.count(), 1);
    }
};

QTEST_MAIN(ButtonInputTest)
#include "ButtonInputTest.moc"
