#include "platform/ApplicationPointerProbe.h"

#include "platform/PointerArrival.h"
#include "platform/SurfacePointerProbe.h"
#include "platform/WaylandCalls.h"

#include <QCoreApplication>
#include <QPointer>

namespace tallix {

PointerProbe& ApplicationPointerProbe() {
    static DirectPointerProbe direct;
    static QPointer<SharedPointerProbe> shared;
    if (!shared) {
        // Children of the application, so they go when the application does
        // and a later application object gets fresh ones.
        QCoreApplication* app = QCoreApplication::instance();
        PointerArrival& arrival = ApplicationPointerArrival();
        PointerProbe* source = &direct;
        // Only Wayland has a watch; it shows a client the pointer only over
        // the client's own windows.
        const WaylandCalls* wayland = Wayland();
        const auto notify = [arrival = QPointer<PointerArrival>(&arrival)] {
            if (arrival) {
                arrival->Notify();
            }
        };
        if (QPointer<QObject> watch = wayland ? wayland->watchPointer(app, notify) : nullptr) {
            source = new SurfacePointerProbe(
                [watch, wayland] { return watch ? wayland->pointerWindow(watch) : nullptr; },
                SurfacePointerProbe::LastReportedPosition, app);
        }
        shared = new SharedPointerProbe(*source, SharedPointerProbe::DefaultMaxAgeMs, app);
        // An arrival the toolkit withheld from a blocked window is news too.
        QObject::connect(&arrival, &PointerArrival::Arrived, shared,
                         &SharedPointerProbe::Invalidate);
    }
    return *shared;
}

} // namespace tallix
