#pragma once

#include <QObject>
#include <QWindow>

#include <cstdint>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_pointer;
struct wl_surface;

namespace tallix {

// Which of our windows the pointer is over, as the Wayland compositor says
// to a pointer object of our own on the toolkit's connection. The toolkit
// throws away the enter and leave events of a window that a modal box
// blocks, so its own events never say that the pointer has left such a
// window for the desktop; the compositor sends them to every pointer object
// the client holds, so ours hears them whatever the toolkit makes of its own.
//
// Its events are dispatched with the toolkit's on the GUI thread.
class WaylandPointerWatch final : public QObject {
    Q_OBJECT

public:
    // A watch on the application's Wayland connection that lives as long as
    // `parent`; none when the application does not run on Wayland.
    static WaylandPointerWatch* Create(QObject* parent);
    ~WaylandPointerWatch() override;

    // The top-level window whose surface the pointer is over; none while it
    // is over no surface of ours.
    QWindow* Window() const;

signals:
    // The compositor says the pointer has entered one of our surfaces,
    // whether or not a modal box blocks its window.
    void Entered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Listeners;

    WaylandPointerWatch(wl_display* display, QObject* parent);
    void SeatAdvertised(uint32_t name, uint32_t version);
    void GlobalRemoved(uint32_t name);
    void SeatCapabilities(uint32_t capabilities);
    void ReleasePointer();
    void ReleaseSeat();

    wl_registry* registry_ = nullptr;
    // Only the first seat: one pointer is all the hot look follows.
    wl_seat* seat_ = nullptr;
    uint32_t seatName_ = 0;
    wl_pointer* pointer_ = nullptr;
    // Compared, never dereferenced: the surface may be gone, and the
    // compositor sends no leave for a surface destroyed under the pointer.
    wl_surface* entered_ = nullptr;
};

} // namespace tallix
