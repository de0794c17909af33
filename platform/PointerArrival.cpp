#include "platform/PointerArrival.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <xcb/xcb.h>

namespace tallix {

namespace {

// XInput 2's enter event; the toolkit takes its crossings from XInput 2
// where the server offers it, and then the core EnterNotify never comes.
constexpr uint16_t XInputEnter = 7;

// An X event that says the pointer has come into one of our windows: moved
// there, or the window mapped, moved or uncovered under it. Any generic
// event numbered as XInput's enter counts: the toolkit uses no other
// extension's generic events, and a false alarm is harmless.
bool IsXEnter(const xcb_generic_event_t& event) {
    const uint8_t type = event.response_type & 0x7f; // the top bit marks a sent event
    if (type == XCB_ENTER_NOTIFY) {
        return true;
    }
    return type == XCB_GE_GENERIC &&
           reinterpret_cast<const xcb_ge_generic_event_t&>(event).event_type == XInputEnter;
}

} // namespace

PointerArrival::PointerArrival(QCoreApplication& app) : QObject(&app) {
    app.installEventFilter(this);
    app.installNativeEventFilter(this);
}

PointerArrival::~PointerArrival() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->removeNativeEventFilter(this);
    }
}

bool PointerArrival::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType == "xcb_generic_event_t" &&
        IsXEnter(*static_cast<const xcb_generic_event_t*>(message))) {
        Notify();
    }
    return false;
}

bool PointerArrival::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        Notify();
    }
    return QObject::eventFilter(watched, event);
}

PointerArrival& ApplicationPointerArrival() {
    static QPointer<PointerArrival> arrival;
    if (!arrival) {
        // A child of the application, so a later application object gets a fresh one.
        arrival = new PointerArrival(*QCoreApplication::instance());
    }
    return *arrival;
}

} // namespace tallix
