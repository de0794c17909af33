#include "PointerProbe.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>

namespace tallix {

namespace {

// The events after which the pointer may lie over another widget, or at
// another place, than the cached answer says.
bool MayMoveThePointer(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ZOrderChange:
    case QEvent::ParentChange:
    case QEvent::Expose:
    case QEvent::Paint:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::WindowStateChange:
    case QEvent::ApplicationStateChange:
        return true;
    default:
        return false;
    }
}

} // namespace

PointerSample DirectPointerProbe::Sample() {
    const QPoint pos = QCursor::pos();
    return {pos, QApplication::widgetAt(pos)};
}

SharedPointerProbe::SharedPointerProbe(PointerProbe& source, int maxAgeMs, QObject* parent)
    : QObject(parent), source_(source), maxAgeMs_(maxAgeMs) {
    // An application filter sees the events sent to windows as well as to
    // widgets, before any of them can be filtered away.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
}

PointerSample SharedPointerProbe::Sample() {
    if (valid_ && !age_.hasExpired(maxAgeMs_)) {
        return cached_;
    }
    cached_ = source_.Sample();
    age_.start();
    valid_ = true;
    return cached_;
}

bool SharedPointerProbe::eventFilter(QObject* watched, QEvent* event) {
    if (MayMoveThePointer(event->type())) {
        Invalidate();
    }
    return QObject::eventFilter(watched, event);
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
