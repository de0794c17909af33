#pragma once

#include "PointerProbe.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWindow>

#include <functional>

namespace tallix {

// The pointer as a window system that shows a client the pointer only over
// the client's own windows (Wayland) can tell it. There the last position
// stays where the pointer left our windows, and the windows do not know
// where they lie on the screen; what is true is the toolkit's enter and
// leave events. So the answer is the widget under the pointer in the window
// it last entered, and no widget once it has left every window of ours.
//
// A window blocked by a modal box is told of no enter or leave, but its
// pointer motion still moves the position. So when the pointer is in none of
// the windows we were told of, a position that has moved since the last
// leave is over a window that was not told: the answer is the widget there.
// Only the window system's own enter and leave events count; the toolkit
// sends a leave of its own to a window that a modal box comes to block,
// though the pointer is still over it.
class SurfacePointerProbe final : public QObject, public PointerProbe {
public:
    using PositionReader = std::function<QPoint()>;

    // Watches the events of the application object that exists at
    // construction; `position` gives the last position the window system
    // reported, in screen pixels.
    explicit SurfacePointerProbe(PositionReader position = LastReportedPosition,
                                 QObject* parent = nullptr);

    PointerSample Sample() override;

    // The toolkit's cursor position: on Wayland, where the pointer last was
    // over one of our windows.
    static QPoint LastReportedPosition();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Left(const QWindow* window);

    const PositionReader position_;
    QPointer<QWindow> entered_;
    QPoint leftAt_;
};

// Whether the platform the application runs on shows a client the pointer
// only over its own windows.
bool PointerSeenOnlyOverOwnWindows();

} // namespace tallix
