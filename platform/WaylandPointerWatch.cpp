#include "platform/WaylandPointerWatch.h"

#include <QEvent>
#include <QGuiApplication>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstring>

namespace tallix {

namespace {

// Version 3 brings the pointer's release request; nothing newer is needed,
// and no event of a newer version then arrives.
constexpr uint32_t SeatVersion = 3;

QPlatformNativeInterface* NativeInterface() {
    return QGuiApplication::instance() ? QGuiApplication::platformNativeInterface() : nullptr;
}

} // namespace

// libwayland calls a listener's entry for every event that arrives, so each
// event of the bound versions has one, if only to ignore it.
struct WaylandPointerWatch::Listeners {
    static WaylandPointerWatch& Watch(void* data) {
        return *static_cast<WaylandPointerWatch*>(data);
    }
    static void Global(void* data, wl_registry*, uint32_t name, const char* interface,
                       uint32_t version) {
        if (std::strcmp(interface, wl_seat_interface.name) == 0) {
            Watch(data).SeatAdvertised(name, version);
        }
    }
    static void GlobalRemove(void* data, wl_registry*, uint32_t name) {
        Watch(data).GlobalRemoved(name);
    }
    static void Capabilities(void* data, wl_seat*, uint32_t capabilities) {
        Watch(data).SeatCapabilities(capabilities);
    }
    static void Name(void*, wl_seat*, const char*) {}
    static void Enter(void* data, wl_pointer*, uint32_t, wl_surface* surface, wl_fixed_t,
                      wl_fixed_t) {
        Watch(data).entered_ = surface;
        emit Watch(data).Entered();
    }
    static void Leave(void* data, wl_pointer*, uint32_t, wl_surface*) {
        Watch(data).entered_ = nullptr;
    }
    static void Motion(void*, wl_pointer*, uint32_t, wl_fixed_t, wl_fixed_t) {}
    static void Button(void*, wl_pointer*, uint32_t, uint32_t, uint32_t, uint32_t) {}
    static void Axis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}

    static const wl_registry_listener* Registry() {
        static const wl_registry_listener listener = [] {
            wl_registry_listener l{};
            l.global = Global;
            l.global_remove = GlobalRemove;
            return l;
        }();
        return &listener;
    }
    static const wl_seat_listener* Seat() {
        static const wl_seat_listener listener = [] {
            wl_seat_listener l{};
            l.capabilities = Capabilities;
            l.name = Name;
            return l;
        }();
        return &listener;
    }
    static const wl_pointer_listener* Pointer() {
        static const wl_pointer_listener listener = [] {
            wl_pointer_listener l{};
            l.enter = Enter;
            l.leave = Leave;
            l.motion = Motion;
            l.button = Button;
            l.axis = Axis;
            return l;
        }();
        return &listener;
    }
};

WaylandPointerWatch* WaylandPointerWatch::Create(QObject* parent) {
    QPlatformNativeInterface* native = NativeInterface();
    auto* display =
        native ? static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"))
               : nullptr;
    return display ? new WaylandPointerWatch(display, parent) : nullptr;
}

// The globals arrive when the toolkit next dispatches the connection's events.
WaylandPointerWatch::WaylandPointerWatch(wl_display* display, QObject* parent)
    : QObject(parent), registry_(wl_display_get_registry(display)) {
    wl_registry_add_listener(registry_, Listeners::Registry(), this);
    QCoreApplication::instance()->installEventFilter(this);
}

// Destroyed with its parent, before the toolkit closes the connection.
WaylandPointerWatch::~WaylandPointerWatch() {
    ReleaseSeat();
    wl_registry_destroy(registry_);
}

QWindow* WaylandPointerWatch::Window() const {
    QPlatformNativeInterface* native = NativeInterface();
    if (!entered_ || !native) {
        return nullptr;
    }
    const QWindowList windows = QGuiApplication::topLevelWindows();
    const auto found = std::find_if(windows.begin(), windows.end(), [&](QWindow* window) {
        return window->handle() && native->nativeResourceForWindow("surface", window) == entered_;
    });
    return found != windows.end() ? *found : nullptr;
}

// A window that hides loses its surface, and a later one may be made at the
// same address; so the pointer leaves a window as it hides. Whether the
// surface is still there when the window hears of it or not, the pointer is
// then over that window or over no window we know.
bool WaylandPointerWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched->isWindowType()) {
        const QWindow* window = Window();
        if (!window || window == watched) {
            entered_ = nullptr;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WaylandPointerWatch::SeatAdvertised(uint32_t name, uint32_t version) {
    if (seat_) {
        return;
    }
    seatName_ = name;
    seat_ = static_cast<wl_seat*>(
        wl_registry_bind(registry_, name, &wl_seat_interface, std::min(version, SeatVersion)));
    wl_seat_add_listener(seat_, Listeners::Seat(), this);
}

void WaylandPointerWatch::GlobalRemoved(uint32_t name) {
    if (seat_ && name == seatName_) {
        ReleaseSeat();
    }
}

void WaylandPointerWatch::SeatCapabilities(uint32_t capabilities) {
    const bool hasPointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (hasPointer && !pointer_) {
        pointer_ = wl_seat_get_pointer(seat_);
        wl_pointer_add_listener(pointer_, Listeners::Pointer(), this);
    } else if (!hasPointer) {
        ReleasePointer();
    }
}

void WaylandPointerWatch::ReleasePointer() {
    if (!pointer_) {
        return;
    }
    if (wl_pointer_get_version(pointer_) >= WL_POINTER_RELEASE_SINCE_VERSION) {
        wl_pointer_release(pointer_);
    } else {
        wl_pointer_destroy(pointer_);
    }
    pointer_ = nullptr;
    entered_ = nullptr;
}

void WaylandPointerWatch::ReleaseSeat() {
    ReleasePointer();
    if (seat_) {
        wl_seat_destroy(seat_);
        seat_ = nullptr;
    }
}

} // namespace tallix
