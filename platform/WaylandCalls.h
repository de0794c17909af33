#pragma once

#include <QObject>
#include <QWindow>

#include <functional>

namespace tallix {

// What Tallix asks of the Wayland client library. The library, and the code
// that speaks it, live in a module of their own (tallix-wayland) that is
// loaded only when the application runs on Wayland: on any other window
// system the program neither maps nor relocates them at start-up.
struct WaylandCalls {
    // A watch of which of our windows the pointer is over, on the
    // application's connection (see WaylandPointerWatch), living as long as
    // `parent`; `entered` runs whenever the compositor says the pointer has
    // entered one of our surfaces. None when the connection is not there.
    QObject* (*watchPointer)(QObject* parent, std::function<void()> entered);
    // The top-level window whose surface the pointer is over, by that watch.
    QWindow* (*pointerWindow)(const QObject* watch);
    // Requests to a window's xdg_toplevel role.
    void (*limitSize)(void* toplevel, int width, int height);
    void (*unsetMaximized)(void* toplevel);
    void (*unsetFullscreen)(void* toplevel);
};

// The module's calls; none when the application does not run on Wayland,
// or when the module cannot be loaded (said once on standard error).
const WaylandCalls* Wayland();

} // namespace tallix
