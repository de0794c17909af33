#include "SurfacePointerProbe.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QWidget>

#include <utility>

namespace tallix {

namespace {

QWidget* TopLevelOf(const QWindow* window) {
    const QWidgetList tops = QApplication::topLevelWidgets();
    for (QWidget* top : tops) {
        if (top->windowHandle() == window) {
            return top;
        }
    }
    return nullptr;
}

// The topmost widget of `top` at the screen point, itself where it has no
// child there; none outside it (over a window frame drawn by the client).
QWidget* WidgetIn(QWidget& top, QPoint screenPos) {
    const QPoint local = top.mapFromGlobal(screenPos);
    if (!top.rect().contains(local)) {
        return nullptr;
    }
    QWidget* child = top.childAt(local);
    return child ? child : &top;
}

// A shown top-level window at the point other than the modal box, which
// would have been told of the pointer's arrival.
QWidget* UntoldTopLevelAt(QPoint screenPos) {
    const QWidget* modal = QApplication::activeModalWidget();
    const QWidgetList tops = QApplication::topLevelWidgets();
    for (QWidget* top : tops) {
        if (top != modal && top->isVisible() && top->geometry().contains(screenPos)) {
            return top;
        }
    }
    return nullptr;
}

} // namespace

SurfacePointerProbe::SurfacePointerProbe(PositionReader position, QObject* parent)
    : QObject(parent), position_(std::move(position)) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
}

PointerSample SurfacePointerProbe::Sample() {
    const QPoint pos = position_();
    QWidget* top = TopLevelOf(entered_);
    if (!top && pos != leftAt_) {
        top = UntoldTopLevelAt(pos);
    }
    return {pos, top ? WidgetIn(*top, pos) : nullptr};
}

bool SurfacePointerProbe::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWindowType()) {
        return QObject::eventFilter(watched, event);
    }
    auto* window = static_cast<QWindow*>(watched);
    const QEvent::Type type = event->type();
    if (type == QEvent::Enter && event->spontaneous()) {
        entered_ = window;
    } else if ((type == QEvent::Leave && event->spontaneous()) || type == QEvent::Hide) {
        // A window hidden under the pointer is told of no leave.
        Left(window);
    }
    return QObject::eventFilter(watched, event);
}

// The next window's enter may come before or after this leave.
void SurfacePointerProbe::Left(const QWindow* window) {
    if (entered_ == window) {
        entered_ = nullptr;
        leftAt_ = position_();
    }
}

QPoint SurfacePointerProbe::LastReportedPosition() {
    return QCursor::pos();
}

bool PointerSeenOnlyOverOwnWindows() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace tallix
