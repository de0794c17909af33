#include "platform/FixedSizeGuard.h"

#include "platform/WaylandCalls.h"

#include <QEvent>
#include <QGuiApplication>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qplatformwindow.h>

namespace tallix {

namespace {

// The states whose size the compositor decides.
constexpr Qt::WindowStates kSizeChangingStates = Qt::WindowMaximized | Qt::WindowFullScreen;

// The window's toplevel role on Wayland; none on any other window system,
// or before the window is shown.
void* Toplevel(QWindow& window) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    return native && window.handle() && Wayland()
               ? native->nativeResourceForWindow("xdg_toplevel", &window)
               : nullptr;
}

} // namespace

void FixedSizeGuard::Install(QWidget& window) {
    new FixedSizeGuard(window);
}

FixedSizeGuard::FixedSizeGuard(QWidget& window) : QObject(&window), size_(window.minimumSize()) {
    window.installEventFilter(this);
}

// The widget's window exists once it is shown; its toplevel role, once the
// window is exposed, and anew each time it is shown after it was hidden.
bool FixedSizeGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched == parent()) {
        if (QWindow* window = static_cast<QWidget*>(watched)->windowHandle()) {
            Watch(*window);
        }
    } else if (event->type() == QEvent::Expose && watched == watched_) {
        HandLimitsToCompositor(*watched_);
    } else if (event->type() == QEvent::Resize && watched == watched_) {
        KeepSizeWhileNormal(*watched_);
    }
    return QObject::eventFilter(watched, event);
}

void FixedSizeGuard::Watch(QWindow& window) {
    if (watched_ == &window) {
        return;
    }
    watched_ = &window;
    window.installEventFilter(this);
    connect(&window, &QWindow::windowStateChanged, this, [this, &window] { StateChanged(window); });
}

void FixedSizeGuard::HandLimitsToCompositor(QWindow& window) const {
    if (!Toplevel(window)) {
        return;
    }
    const QSize unlimited(QWINDOWSIZE_MAX, QWINDOWSIZE_MAX);
    if (window.maximumSize() != unlimited) {
        window.setMinimumSize(QSize(0, 0));
        window.setMaximumSize(unlimited);
    }
    SendSizeLimits(window);
}

// Sent after the toolkit's own hints, which now say "any size"; both take
// effect with the window's next commit. They are counted in the window
// geometry, which takes in the title bar the toolkit draws.
void FixedSizeGuard::SendSizeLimits(QWindow& window) const {
    if (void* toplevel = Toplevel(window)) {
        const QSize size = size_.grownBy(window.frameMargins());
        Wayland()->limitSize(toplevel, size.width(), size.height());
    }
}

// A window in none of the compositor's states chooses its own size, whatever
// size it was configured to: the configured size is only a suggestion, and
// some compositors do not keep to the limits while the user drags a border.
// The toolkit reports the configured state before the size, and both before
// the window draws in it.
void FixedSizeGuard::KeepSizeWhileNormal(QWindow& window) const {
    if (!(window.windowStates() & kSizeChangingStates) && window.size() != size_ &&
        Toplevel(window)) {
        window.resize(size_);
    }
}

// The title bar sets the window's state and asks the compositor for it in
// the same call, while the window still has its size: the withdrawal goes
// out with the request, and the compositor never maximizes the window. A
// state the compositor configured on its own reaches the window after the
// toolkit has taken the configured size (in the window system's pixels).
void FixedSizeGuard::StateChanged(QWindow& window) {
    SendSizeLimits(window);
    const Qt::WindowStates states = window.windowStates();
    void* toplevel = Toplevel(window);
    if (!(states & kSizeChangingStates) || !toplevel ||
        window.handle()->geometry().size() != QHighDpi::toNativePixels(size_, &window)) {
        return;
    }
    if (states & Qt::WindowMaximized) {
        Wayland()->unsetMaximized(toplevel);
    }
    if (states & Qt::WindowFullScreen) {
        Wayland()->unsetFullscreen(toplevel);
    }
    window.setWindowStates(states & ~kSizeChangingStates);
}

} // namespace tallix
