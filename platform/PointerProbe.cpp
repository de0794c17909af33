#include "PointerProbe.h"

#include <QApplication>
#include <QCursor>
#include <QTimer>

namespace tallix {

PointerSample DirectPointerProbe::Sample() {
    const QPoint pos = QCursor::pos();
    return {pos, QApplication::widgetAt(pos)};
}

SharedPointerProbe::SharedPointerProbe(PointerProbe& source, int maxAgeMs, QObject* parent)
    : QObject(parent), source_(source), maxAgeMs_(maxAgeMs) {}

PointerSample SharedPointerProbe::Sample() {
    if (valid_ && !age_.hasExpired(maxAgeMs_)) {
        return cached_;
    }
    cached_ = source_.Sample();
    age_.start();
    valid_ = true;
    QTimer::singleShot(0, this, &SharedPointerProbe::Invalidate);
    return cached_;
}

PointerProbe& ApplicationPointerProbe() {
    static DirectPointerProbe direct;
    static QPointer<SharedPointerProbe> shared;
    if (!shared) {
        // A child of the application, so it goes when the application does
        // and a later application object gets a fresh one.
        shared = new SharedPointerProbe(direct, SharedPointerProbe::DefaultMaxAgeMs,
                                        QCoreApplication::instance());
    }
    return *shared;
}

} // namespace tallix
