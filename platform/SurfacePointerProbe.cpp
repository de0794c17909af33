#include "platform/SurfacePointerProbe.h"

#include <QApplication>
#include <QCursor>
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

} // namespace

SurfacePointerProbe::SurfacePointerProbe(WindowReader window, PositionReader position,
                                         QObject* parent)
    : QObject(parent), window_(std::move(window)), position_(std::move(position)) {}

PointerSample SurfacePointerProbe::Sample() {
    const QPoint pos = position_();
    const QWindow* window = window_();
    QWidget* top = window ? TopLevelOf(window) : nullptr;
    return {pos, top ? WidgetIn(*top, pos) : nullptr, window != nullptr};
}

QPoint SurfacePointerProbe::LastReportedPosition() {
    return QCursor::pos();
}

} // namespace tallix
