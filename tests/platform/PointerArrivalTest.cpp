#include "platform/PointerArrival.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSignalSpy>
#include <QtTest>

#include <xcb/xcb.h>

// The arrivals that wake the hover polls: the toolkit's enter events, and
// the X server's crossing events as they reach the application, even those
// the toolkit withholds from a window that a modal box blocks.
class PointerArrivalTest : public QObject {
    Q_OBJECT

private slots:
    void xEventsThatMeanThePointerCameIn_data() {
        QTest::addColumn<bool>("xEvent");
        QTest::addColumn<int>("responseType");
        QTest::addColumn<int>("genericType");
        QTest::addColumn<bool>("arrival");
        QTest::newRow("core enter") << true << XCB_ENTER_NOTIFY << 0 << true;
        QTest::newRow("core enter sent by a client")
            << true << (XCB_ENTER_NOTIFY | 0x80) << 0 << true;
        QTest::newRow("XInput 2 enter") << true << XCB_GE_GENERIC << 7 << true;
        QTest::newRow("core leave") << true << XCB_LEAVE_NOTIFY << 0 << false;
        QTest::newRow("core motion") << true << XCB_MOTION_NOTIFY << 0 << false;
        QTest::newRow("XInput 2 leave") << true << XCB_GE_GENERIC << 8 << false;
        QTest::newRow("XInput 2 motion") << true << XCB_GE_GENERIC << 6 << false;
        QTest::newRow("not an X event") << false << XCB_ENTER_NOTIFY << 0 << false;
    }
    void xEventsThatMeanThePointerCameIn() {
        QFETCH(bool, xEvent);
        QFETCH(int, responseType);
        QFETCH(int, genericType);
        QFETCH(bool, arrival);
        tallix::PointerArrival watch(*QCoreApplication::instance());
        QSignalSpy arrived(&watch, &tallix::PointerArrival::Arrived);
        xcb_ge_generic_event_t event{};
        event.response_type = uint8_t(responseType);
        event.event_type = uint16_t(genericType);
        QVERIFY(!watch.nativeEventFilter(xEvent ? "xcb_generic_event_t" : "windows_generic_MSG",
                                         &event,
                                         nullptr)); // never swallowed
        QCOMPARE(arrived.count(), arrival ? 1 : 0);
    }

    // The toolkit's enter, to a window or to a widget, is an arrival; its
    // leave is not.
    void toolkitEnterIsAnArrival() {
        tallix::PointerArrival watch(*QCoreApplication::instance());
        QSignalSpy arrived(&watch, &tallix::PointerArrival::Arrived);
        QObject receiver;
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&receiver, &leave);
        QCOMPARE(arrived.count(), 0);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(&receiver, &enter);
        QCOMPARE(arrived.count(), 1);
    }
};

QTEST_MAIN(PointerArrivalTest)
#include "PointerArrivalTest.moc"
