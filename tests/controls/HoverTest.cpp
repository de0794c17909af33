#include "PointerProbe.h"
#include "XPButton.h"

#include <QCursor>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace {

// Line 1 of the blue style's hot ring, along the top just inside the border.
constexpr QRgb HotTopLine = qRgb(255, 240, 207);
const QPoint OnHotTopLine(29, 1);

// Answers from a fixed sample and counts how often it was asked.
class CountingProbe : public tallix::PointerProbe {
public:
    tallix::PointerSample Sample() override {
        ++queries;
        return {QPoint(1, 2), nullptr};
    }
    int queries = 0;
};

} // namespace

class HoverTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void enterAndLeaveAreRaisedOnceEach();
    void overTheControl_data();
    void overTheControl();
    void disabledControlIgnoresThePointerUntilEnabled();
    void pollIsStoppedWhileAHandlerRuns();
    void sharedProbeAsksOncePerMoment();
    void sharedProbeNeverServesAnOldAnswer();

private:
    void PointAt(QPoint inButton) { QCursor::setPos(button_->mapToGlobal(inButton)); }

    std::unique_ptr<QWidget> window_;
    XPButton* button_ = nullptr;
};

void HoverTest::init() {
    window_ = std::make_unique<QWidget>();
    window_->setGeometry(100, 100, 200, 100);
    QCursor::setPos(window_->mapToGlobal(QPoint(150, 90)));
    button_ = new XPButton(window_.get());
    button_->setGeometry(20, 20, 58, 22);
    button_->InitProperties(); // run mode: the poll starts
    button_->setRoundedValue(10);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void HoverTest::cleanup() {
    window_.reset();
}

void HoverTest::enterAndLeaveAreRaisedOnceEach() {
    QSignalSpy enters(button_, &XPButton::MouseEnters);
    QSignalSpy leaves(button_, &XPButton::MouseLeaves);

    PointAt({29, 11});
    QTRY_COMPARE(enters.count(), 1);
    const QPoint screen = button_->mapToGlobal(QPoint(29, 11));
    QCOMPARE(enters.at(0), (QList<QVariant>{screen.x(), screen.y()}));
    QCOMPARE(button_->Surface().pixel(OnHotTopLine), HotTopLine);

    PointAt({100, 50});
    QTRY_COMPARE(leaves.count(), 1);
    QVERIFY(button_->Surface().pixel(OnHotTopLine) != HotTopLine);
    QTest::qWait(200); // four more polls
    QCOMPARE(enters.count(), 1);
    QCOMPARE(leaves.count(), 1);
}

void HoverTest::overTheControl_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("over");
    QTest::newRow("centre") << QPoint(29, 11) << true;
    QTest::newRow("edge pixel beside a corner") << QPoint(57, 11) << true;
    QTest::newRow("rounded-off corner pixel") << QPoint(0, 0) << false;
    QTest::newRow("rounded-off bottom-right pixel") << QPoint(57, 21) << false;
    QTest::newRow("child of the control") << QPoint(12, 8) << true;
    QTest::newRow("widget lying on top") << QPoint(50, 8) << false;
    QTest::newRow("beside the control") << QPoint(70, 11) << false;
}

void HoverTest::overTheControl() {
    QFETCH(QPoint, point);
    QFETCH(bool, over);
    auto* child = new QLabel(button_);
    child->setGeometry(10, 6, 6, 6);
    auto* onTop = new QLabel(window_.get());
    onTop->setGeometry(button_->mapTo(window_.get(), QPoint(46, 4)).x(),
                       button_->mapTo(window_.get(), QPoint(46, 4)).y(), 10, 10);
    onTop->show();
    onTop->raise();
    child->show();
    // Asked directly: a shared answer from an earlier tick must not decide.
    tallix::DirectPointerProbe direct;
    button_->setPointerProbe(&direct);
    QSignalSpy enters(button_, &XPButton::MouseEnters);

    PointAt(point);
    button_->PollHover();
    QCOMPARE(enters.count(), over ? 1 : 0);
}

void HoverTest::disabledControlIgnoresThePointerUntilEnabled() {
    button_->setEnabledFlag(false);
    QSignalSpy enters(button_, &XPButton::MouseEnters);
    PointAt({29, 11});
    QTest::qWait(150);
    QCOMPARE(enters.count(), 0);
    button_->setEnabledFlag(true);
    QTRY_COMPARE(enters.count(), 1);
}

void HoverTest::pollIsStoppedWhileAHandlerRuns() {
    const QTimer* poll = button_->findChild<QTimer*>("tmrCheck");
    bool runningInHandler = true;
    connect(button_, &XPButton::MouseEnters, this, [&] {
        QTest::qWait(120); // a handler that waits, as a message box would
        runningInHandler = poll->isActive();
    });
    QSignalSpy enters(button_, &XPButton::MouseEnters);
    PointAt({29, 11});
    QTRY_COMPARE(enters.count(), 1);
    QVERIFY(!runningInHandler);
    QVERIFY(poll->isActive());
}

void HoverTest::sharedProbeAsksOncePerMoment() {
    CountingProbe source;
    tallix::SharedPointerProbe shared(source, 1000);
    for (int i = 0; i < 25; ++i) {
        QCOMPARE(shared.Sample().screenPos, QPoint(1, 2));
    }
    QCOMPARE(source.queries, 1);
    QCoreApplication::processEvents(); // the next moment of the event loop
    shared.Sample();
    QCOMPARE(source.queries, 2);
}

void HoverTest::sharedProbeNeverServesAnOldAnswer() {
    CountingProbe source;
    tallix::SharedPointerProbe shared(source, 5);
    shared.Sample();
    QTest::qSleep(20); // no event loop meanwhile
    shared.Sample();
    QCOMPARE(source.queries, 2);
}

QTEST_MAIN(HoverTest)
#include "HoverTest.moc"
