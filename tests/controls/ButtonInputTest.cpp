#include "RecordingMessageService.h"
#include "XPButton.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

namespace {

// Every event of one button, in the order raised, with its parameters.
class EventLog : public QObject {
public:
    explicit EventLog(XPButton& button) {
        connect(&button, &XPButton::Click, this, [this] { lines << "Click"; });
        connect(&button, &XPButton::DoubleClick, this, [this] { lines << "DoubleClick"; });
        connect(&button, &XPButton::KeyDown, this, [this](qint16& code, qint16& shift) {
            lines << QString("KeyDown %1 %2").arg(code).arg(shift);
        });
        connect(&button, &XPButton::KeyPress, this,
                [this](qint16& ascii) { lines << QString("KeyPress %1").arg(ascii); });
        connect(&button, &XPButton::KeyUp, this, [this](qint16& code, qint16& shift) {
            lines << QString("KeyUp %1 %2").arg(code).arg(shift);
        });
        connect(&button, &XPButton::MouseDown, this, MouseLine("MouseDown"));
        connect(&button, &XPButton::MouseUp, this, MouseLine("MouseUp"));
    }

    QStringList lines;

private:
    std::function<void(qint16&, qint16&, float&, float&)> MouseLine(const QString& name) {
        return [this, name](qint16& b, qint16& shift, float& x, float& y) {
            lines << QString("%1 %2 %3 %4 %5").arg(name).arg(b).arg(shift).arg(x).arg(y);
        };
    }
};

bool ShowsPressed(XPButton& button) {
    return QAccessible::queryAccessibleInterface(&button)->state().pressed;
}

} // namespace

class ButtonInputTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void mouseButtons_data();
    void mouseButtons();
    void releaseAwayFromTheControlIsNoClick_data();
    void releaseAwayFromTheControlIsNoClick();
    void doubleClickRaisesDoubleClick();
    void movesReportTheHeldButtons();
    void keys_data();
    void keys();
    void heldSpaceShowsPressedWithoutClick();
    void handlerZeroingKeyAsciiStopsTheEnterClick();
    void handlerZeroingKeyCodeStopsThePressedLook();
    void handlerChangingButtonStopsThePressedLook();
    void disabledControlRaisesNothingAndKeepsItsFlags();
    void accessKeyShowsItsCodeEvenWhileDisabled();
    void assistiveTechnologySeesAPushButtonNamedByItsCaption();
    void pressActionClicksOnlyWhileEnabled();
    void toolTipShows();

private:
    void Click(Qt::MouseButton which, QPoint at, Qt::KeyboardModifiers modifiers = {});
    void Press(Qt::MouseButton which, QPoint at);
    void Release(Qt::MouseButton which, QPoint at);

    std::unique_ptr<QWidget> window_;
    XPButton* button_ = nullptr;
    QLineEdit* other_ = nullptr;
    tallix::testing::RecordingMessageService messages_;
};

void ButtonInputTest::init() {
    window_ = std::make_unique<QWidget>();
    window_->resize(200, 100);
    other_ = new QLineEdit(window_.get());
    other_->setGeometry(10, 60, 100, 22);
    button_ = new XPButton(window_.get());
    button_->setGeometry(20, 20, 58, 22);
    button_->setRoundedValue(10);
    button_->setMessageService(&messages_);
    messages_.messages.clear();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    button_->setFocus();
    QTRY_VERIFY(button_->hasFocus());
}

void ButtonInputTest::cleanup() {
    window_.reset();
}

// Through the window, as the window system delivers them: hit-testing
// honours the rounded shape and the release goes to the control pressed.
void ButtonInputTest::Click(Qt::MouseButton which, QPoint at, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(window_->windowHandle(), which, modifiers, button_->mapTo(window_.get(), at));
}

void ButtonInputTest::Press(Qt::MouseButton which, QPoint at) {
    QTest::mousePress(window_->windowHandle(), which, {}, button_->mapTo(window_.get(), at));
}

void ButtonInputTest::Release(Qt::MouseButton which, QPoint at) {
    QTest::mouseRelease(window_->windowHandle(), which, {}, button_->mapTo(window_.get(), at));
}

void ButtonInputTest::mouseButtons_data() {
    QTest::addColumn<Qt::MouseButton>("which");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("pressedLook");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("left clicks") << Qt::LeftButton << Qt::KeyboardModifiers() << true
                                 << QStringList{"MouseDown 1 0 30 10", "MouseUp 1 0 30 10",
                                                "Click"};
    QTest::newRow("shift and left")
        << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << true
        << QStringList{"MouseDown 1 1 30 10", "MouseUp 1 1 30 10", "Click"};
    QTest::newRow("right does not click")
        << Qt::RightButton << Qt::KeyboardModifiers() << false
        << QStringList{"MouseDown 2 0 30 10", "MouseUp 2 0 30 10"};
    QTest::newRow("middle does not click")
        << Qt::MiddleButton << Qt::KeyboardModifiers() << false
        << QStringList{"MouseDown 4 0 30 10", "MouseUp 4 0 30 10"};
}

void ButtonInputTest::mouseButtons() {
    QFETCH(Qt::MouseButton, which);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, pressedLook);
    QFETCH(QStringList, events);
    EventLog log(*button_);
    const QPoint at(30, 10);
    QTest::mousePress(window_->windowHandle(), which, modifiers, button_->mapTo(window_.get(), at));
    QCOMPARE(ShowsPressed(*button_), pressedLook);
    QTest::mouseRelease(window_->windowHandle(), which, modifiers,
                        button_->mapTo(window_.get(), at));
    QVERIFY(!ShowsPressed(*button_));
    QCOMPARE(log.lines, events);
}

void ButtonInputTest::releaseAwayFromTheControlIsNoClick_data() {
    QTest::addColumn<QPoint>("releasedAt");
    QTest::newRow("outside the rectangle") << QPoint(100, 10);
    QTest::newRow("on a rounded-off corner") << QPoint(0, 0);
}

void ButtonInputTest::releaseAwayFromTheControlIsNoClick() {
    QFETCH(QPoint, releasedAt);
    EventLog log(*button_);
    Press(Qt::LeftButton, {30, 10});
    Release(Qt::LeftButton, releasedAt);
    QCOMPARE(log.lines.size(), 2);
    QVERIFY(log.lines.at(1).startsWith("MouseUp 1"));
    QVERIFY(!ShowsPressed(*button_));
}

void ButtonInputTest::doubleClickRaisesDoubleClick() {
    EventLog log(*button_);
    QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, {},
                       button_->mapTo(window_.get(), QPoint(30, 10)));
    QCOMPARE(log.lines.count("Click"), 1);
    QCOMPARE(log.lines.count("DoubleClick"), 1);
    QVERIFY(log.lines.indexOf("Click") < log.lines.indexOf("DoubleClick"));
    QVERIFY(log.lines.last().startsWith("MouseUp 1"));
}

void ButtonInputTest::movesReportTheHeldButtons() {
    QStringList moves;
    connect(button_, &XPButton::MouseMove, this,
            [&moves](qint16& Button, qint16&, float& x, float& Y) {
                moves << QString("%1 %2 %3").arg(Button).arg(x).arg(Y);
            });
    QTest::mouseMove(window_->windowHandle(), button_->mapTo(window_.get(), QPoint(5, 6)));
    Press(Qt::RightButton, {5, 6});
    QTest::mouseMove(window_->windowHandle(), button_->mapTo(window_.get(), QPoint(7, 8)));
    Release(Qt::RightButton, {7, 8});
    QCOMPARE(moves, (QStringList{"0 5 6", "2 7 8"}));
}

// Each row gives the key with the text the window system types with it.
void ButtonInputTest::keys_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("events");
    const Qt::KeyboardModifiers none;
    QTest::newRow("Return clicks after its key press")
        << Qt::Key_Return << none << "\r"
        << QStringList{"KeyDown 13 0", "KeyPress 13", "Click", "KeyUp 13 0"};
    QTest::newRow("keypad Enter is Enter")
        << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier) << "\r"
        << QStringList{"KeyDown 13 0", "KeyPress 13", "Click", "KeyUp 13 0"};
    QTest::newRow("space does not click")
        << Qt::Key_Space << none << " " << QStringList{"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0"};
    QTest::newRow("shifted letter")
        << Qt::Key_A << Qt::KeyboardModifiers(Qt::ShiftModifier) << "A"
        << QStringList{"KeyDown 16 1", "KeyDown 65 1", "KeyPress 65", "KeyUp 65 1", "KeyUp 16 0"};
    QTest::newRow("control and alt")
        << Qt::Key_C << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier) << ""
        << QStringList{"KeyDown 17 2", "KeyDown 18 6", "KeyDown 67 6",
                       "KeyUp 67 6",   "KeyUp 18 2",   "KeyUp 17 0"};
    QTest::newRow("keypad digit") << Qt::Key_7 << Qt::KeyboardModifiers(Qt::KeypadModifier) << "7"
                                  << QStringList{"KeyDown 103 0", "KeyPress 55", "KeyUp 103 0"};
    QTest::newRow("function key types nothing")
        << Qt::Key_F2 << none << "" << QStringList{"KeyDown 113 0", "KeyUp 113 0"};
}

void ButtonInputTest::keys() {
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(QStringList, events);
    EventLog log(*button_);
    QTest::sendKeyEvent(QTest::Click, button_, key, text, modifiers);
    QCOMPARE(log.lines, events);
}

void ButtonInputTest::heldSpaceShowsPressedWithoutClick() {
    EventLog log(*button_);
    QTest::keyPress(button_, Qt::Key_Space);
    QVERIFY(ShowsPressed(*button_));
    // Losing the focus does not lift it: only the space key-up does.
    other_->setFocus();
    QTRY_VERIFY(other_->hasFocus());
    QVERIFY(ShowsPressed(*button_));
    QTest::keyRelease(button_, Qt::Key_Space);
    QVERIFY(!ShowsPressed(*button_));
    QVERIFY(!log.lines.contains("Click"));
}

void ButtonInputTest::handlerZeroingKeyAsciiStopsTheEnterClick() {
    EventLog log(*button_);
    connect(button_, &XPButton::KeyPress, this, [](qint16& KeyAscii) { KeyAscii = 0; });
    QTest::keyClick(button_, Qt::Key_Return);
    QCOMPARE(log.lines, (QStringList{"KeyDown 13 0", "KeyPress 13", "KeyUp 13 0"}));
}

void ButtonInputTest::handlerZeroingKeyCodeStopsThePressedLook() {
    connect(button_, &XPButton::KeyDown, this, [](qint16& KeyCode, qint16&) { KeyCode = 0; });
    QTest::keyPress(button_, Qt::Key_Space);
    QVERIFY(!ShowsPressed(*button_));
    QTest::keyRelease(button_, Qt::Key_Space);
}

void ButtonInputTest::handlerChangingButtonStopsThePressedLook() {
    connect(button_, &XPButton::MouseDown, this,
            [](qint16& Button, qint16&, float&, float&) { Button = 2; });
    Press(Qt::LeftButton, {30, 10});
    QVERIFY(!ShowsPressed(*button_));
    Release(Qt::LeftButton, {30, 10});
}

void ButtonInputTest::disabledControlRaisesNothingAndKeepsItsFlags() {
    QTest::keyPress(button_, Qt::Key_Space);
    button_->setEnabledFlag(false);
    EventLog log(*button_);

    QTest::keyRelease(button_, Qt::Key_Space);
    Click(Qt::LeftButton, {30, 10});
    QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, {},
                       button_->mapTo(window_.get(), QPoint(30, 10)));
    QTest::keyClick(button_, Qt::Key_Return);
    QCOMPARE(log.lines, QStringList());

    // The pressed look of the space held before disabling comes back with
    // the control: no notification changed it meanwhile.
    button_->setEnabledFlag(true);
    QVERIFY(ShowsPressed(*button_));
}

void ButtonInputTest::accessKeyShowsItsCodeEvenWhileDisabled() {
    QCoreApplication::setApplicationName("Tallix");
    button_->grabShortcut(QKeySequence::mnemonic("&K"));
    button_->setEnabledFlag(false);
    EventLog log(*button_);
    QTest::keyClick(window_.get(), Qt::Key_K, Qt::AltModifier);
    QCOMPARE(messages_.messages.size(), 1u);
    QCOMPARE(messages_.messages[0].prompt, "75");
    QCOMPARE(messages_.messages[0].title, "Tallix");
    QCOMPARE(log.lines, QStringList());
}

void ButtonInputTest::assistiveTechnologySeesAPushButtonNamedByItsCaption() {
    button_->setCaption("Calculate");
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(button_);
    QVERIFY(access);
    QCOMPARE(access->role(), QAccessible::Button);
    QCOMPARE(access->text(QAccessible::Name), "Calculate");
    QVERIFY(access->state().focusable);
    button_->setCaption("Clear");
    QCOMPARE(access->text(QAccessible::Name), "Clear");
}

void ButtonInputTest::pressActionClicksOnlyWhileEnabled() {
    QAccessibleActionInterface* actions =
        QAccessible::queryAccessibleInterface(button_)->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EventLog log(*button_);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(log.lines, QStringList{"Click"});

    button_->setEnabledFlag(false);
    QVERIFY(QAccessible::queryAccessibleInterface(button_)->state().disabled);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(log.lines, QStringList{"Click"});
}

void ButtonInputTest::toolTipShows() {
    button_->setToolTip("Calculates the expression");
    const QPoint at(29, 11);
    QHelpEvent help(QEvent::ToolTip, at, button_->mapToGlobal(at));
    QCoreApplication::sendEvent(button_, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), "Calculates the expression");
    QToolTip::hideText();
}

QTEST_MAIN(ButtonInputTest)
#include "ButtonInputTest.moc"
