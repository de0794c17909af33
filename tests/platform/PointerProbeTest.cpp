#include "platform/PointerProbe.h"
#include "platform/PointerArrival.h"
#include "platform/SurfacePointerProbe.h"
#include "platform/WaylandCalls.h"
#include "tests/support/TableRows.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include <array>
#include <memory>

#include <xcb/xcb.h>

using namespace tallix;

namespace {

// Answers from a fixed sample and counts the questions.
class CountingProbe final : public PointerProbe {
public:
    PointerSample Sample() override {
        ++questions;
        return {};
    }
    int questions = 0;
};

// An event as the native filter sees it: an X event of that response and
// XInput 2 type, or another platform's; whether it is an arrival.
struct XEvent {
    const char* name;
    bool xEvent;
    int responseType, genericType;
    bool arrival;
};
const XEvent kXEvents[] = {
    {"core enter", true, XCB_ENTER_NOTIFY, 0, true},
    {"core enter, client-sent", true, XCB_ENTER_NOTIFY | 0x80, 0, true},
    {"XInput 2 enter", true, XCB_GE_GENERIC, 7, true},
    {"core leave", true, XCB_LEAVE_NOTIFY, 0, false},
    {"core motion", true, XCB_MOTION_NOTIFY, 0, false},
    {"XInput 2 leave", true, XCB_GE_GENERIC, 8, false},
    {"XInput 2 motion", true, XCB_GE_GENERIC, 6, false},
    {"not an X event", false, XCB_ENTER_NOTIFY, 0, false},
};

} // namespace

// The pointer answers the hover polls share, on a platform that reports
// enter and leave as the window system sees them, and the arrivals that wake
// the polls: the toolkit's enter events, and the X server's crossing events
// as they reach the application, even those the toolkit withholds from a
// window that a modal box blocks.
class PointerProbeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> main_;
    std::unique_ptr<QDialog> box_;
    std::unique_ptr<QWindow> bare_;

private slots:
    void init() {
        main_ = std::make_unique<QWidget>();
        main_->setObjectName("main");
        main_->setGeometry(100, 100, 200, 100);
        auto* key = new QLabel("7", main_.get());
        key->setObjectName("key");
        key->setGeometry(20, 20, 58, 22);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
        box_ = std::make_unique<QDialog>();
        box_->setObjectName("box");
        box_->setGeometry(400, 100, 100, 60);
        box_->setWindowModality(Qt::ApplicationModal);
        bare_ = std::make_unique<QWindow>();
        bare_->setGeometry(100, 300, 50, 50);
        bare_->show();
    }
    void cleanup() {
        bare_.reset();
        box_.reset();
        main_.reset();
    }

    // The window is the one the window system says the pointer is over,
    // whether or not a modal box blocks it; the position is the last one
    // it reported, which may lie outside that window.
    void surfaceAnswerIsTheWidgetAtThePositionInTheWindowEntered_data() {
        QTest::addColumn<int>("window"); // none, main, box, bare
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QString>("widget");
        QTest::newRow("on a key of a blocked window") << 1 << QPoint(130, 130) << "key";
        QTest::newRow("beside the key") << 1 << QPoint(250, 180) << "main";
        QTest::newRow("on the modal box") << 2 << QPoint(450, 130) << "box";
        QTest::newRow("over no window, position left on the key") << 0 << QPoint(130, 130) << "";
        QTest::newRow("in the window, position outside it") << 1 << QPoint(50, 400) << "";
        QTest::newRow("in a window that holds no widget") << 3 << QPoint(120, 320) << "";
    }
    void surfaceAnswerIsTheWidgetAtThePositionInTheWindowEntered() {
        QFETCH(int, window);
        QFETCH(QPoint, position);
        QFETCH(QString, widget);
        box_->show();
        QVERIFY(QTest::qWaitForWindowExposed(box_.get()));
        QWindow* entered = std::array<QWindow*, 4>{nullptr, main_->windowHandle(),
                                                   box_->windowHandle(), bare_.get()}[window];
        SurfacePointerProbe probe([entered] { return entered; }, [position] { return position; });
        const PointerSample sample = probe.Sample();
        QCOMPARE(sample.screenPos, position);
        QCOMPARE(sample.widget ? sample.widget->objectName() : QString(), widget);
    }

    // Off Wayland the Wayland module is never loaded, so there is no
    // compositor to watch, and the answers come from the window system's
    // own queries.
    void noWaylandWatchOffWayland() { QCOMPARE(Wayland(), nullptr); }

    // A window blocked by a modal box hears of no pointer motion, so while
    // one is open the shared answer is asked again within a poll period.
    void sharedAnswerIsRenewedWithinAPollWhileAModalBoxIsOpen_data() {
        QTest::addColumn<bool>("modal");
        QTest::newRow("no modal box") << false;
        QTest::newRow("modal box open") << true;
    }
    void sharedAnswerIsRenewedWithinAPollWhileAModalBoxIsOpen() {
        QFETCH(bool, modal);
        if (modal) {
            box_->show();
            QVERIFY(QTest::qWaitForWindowExposed(box_.get()));
        }
        QCoreApplication::processEvents();
        CountingProbe source;
        SharedPointerProbe shared(source);
        shared.Sample();
        QTest::qSleep(SharedPointerProbe::ModalMaxAgeMs + 15); // no events meanwhile
        shared.Sample();
        QCOMPARE(source.questions, modal ? 2 : 1);
    }

    void xEventsThatMeanThePointerCameIn_data() { testing::AddTableRows(kXEvents); }
    void xEventsThatMeanThePointerCameIn() {
        const auto [name, xEvent, responseType, genericType, arrival] = testing::TableRow(kXEvents);
        PointerArrival watch(*QCoreApplication::instance());
        QSignalSpy arrived(&watch, &PointerArrival::Arrived);
        xcb_ge_generic_event_t event{};
        event.response_type = uint8_t(responseType);
        event.event_type = uint16_t(genericType);
        const QByteArray kind = xEvent ? "xcb_generic_event_t" : "windows_generic_MSG";
        QVERIFY(!watch.nativeEventFilter(kind, &event, nullptr)); // never swallowed
        QCOMPARE(arrived.count(), arrival ? 1 : 0);
    }

    // The toolkit's enter, to a window or to a widget, is an arrival; its
    // leave is not.
    void toolkitEnterIsAnArrival() {
        PointerArrival watch(*QCoreApplication::instance());
        QSignalSpy arrived(&watch, &PointerArrival::Arrived);
        QObject receiver;
        for (const QEvent::Type type : {QEvent::Leave, QEvent::Leave, QEvent::Enter}) {
            QEvent event(type);
            QCoreApplication::sendEvent(&receiver, &event);
        }
        QCOMPARE(arrived.count(), 1); // the enter alone: two leaves would count twice
    }
};

QTEST_MAIN(PointerProbeTest)
#include "PointerProbeTest.moc"
