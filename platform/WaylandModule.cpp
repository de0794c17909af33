// The entry of the tallix-wayland module: the calls of WaylandCalls.h over
// the Wayland client library.
#include "platform/WaylandCalls.h"
#include "platform/WaylandPointerWatch.h"

#include "xdg-shell-client-protocol.h"

namespace tallix {

namespace {

QObject* WatchPointer(QObject* parent, std::function<void()> entered) {
    WaylandPointerWatch* watch = WaylandPointerWatch::Create(parent);
    if (watch) {
        QObject::connect(watch, &WaylandPointerWatch::Entered, watch, std::move(entered));
    }
    return watch;
}

QWindow* PointerWindow(const QObject* watch) {
    return static_cast<const WaylandPointerWatch*>(watch)->Window();
}

xdg_toplevel* Toplevel(void* toplevel) {
    return static_cast<xdg_toplevel*>(toplevel);
}

void LimitSize(void* toplevel, int width, int height) {
    xdg_toplevel_set_min_size(Toplevel(toplevel), width, height);
    xdg_toplevel_set_max_size(Toplevel(toplevel), width, height);
}

void UnsetMaximized(void* toplevel) {
    xdg_toplevel_unset_maximized(Toplevel(toplevel));
}

void UnsetFullscreen(void* toplevel) {
    xdg_toplevel_unset_fullscreen(Toplevel(toplevel));
}

} // namespace

} // namespace tallix

extern "C" Q_DECL_EXPORT const tallix::WaylandCalls* tallix_wayland_calls() {
    static const tallix::WaylandCalls calls = {tallix::WatchPointer, tallix::PointerWindow,
                                               tallix::LimitSize, tallix::UnsetMaximized,
                                               tallix::UnsetFullscreen};
    return &calls;
}
