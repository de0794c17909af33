#pragma once

#include "platform/PointerProbe.h"

#include <QObject>
#include <QPoint>
#include <QWindow>

#include <functional>

namespace tallix {

// The pointer as a window system that shows a client the pointer only over
// the client's own windows (Wayland) can tell it. There the last position
// stays where the pointer left our windows, and the windows do not know
// where they lie on the screen; what is true is which window the system
// last said the pointer entered and has not left since. So the answer is
// the widget under the pointer in that window, and no widget while there is
// none.
class SurfacePointerProbe final : public QObject, public PointerProbe {
public:
    using WindowReader = std::function<QWindow*()>;
    using PositionReader = std::function<QPoint()>;

    // `window` gives the top-level window the pointer is over, if any;
    // `position` the last position the window system reported, in screen
    // pixels.
    explicit SurfacePointerProbe(WindowReader window,
                                 PositionReader position = LastReportedPosition,
                                 QObject* parent = nullptr);

    PointerSample Sample() override;

    // The toolkit's cursor position: on Wayland, where the pointer last was
    // over one of our windows. It follows the pointer over a window that a
    // modal box blocks too.
    static QPoint LastReportedPosition();

private:
    const WindowReader window_;
    const PositionReader position_;
};

} // namespace tallix
