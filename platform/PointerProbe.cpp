#include "platform/PointerProbe.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>

#include <algorithm>

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
    QWidget* widget = QApplication::widgetAt(pos);
    // Where the window manager draws the title bars, a point of one of our
    // windows is a point of one of its widgets.
    return {pos, widget, widget != nullptr};
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
    const int maxAgeMs =
        QApplication::activeModalWidget() ? std::min(maxAgeMs_, ModalMaxAgeMs) : maxAgeMs_;
    if (valid_ && !age_.hasExpired(maxAgeMs)) {
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

} // namespace tallix
