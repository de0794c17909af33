#include "platform/CaretBlink.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

namespace tallix {

namespace {

bool IsUserInput(const QEvent& event) {
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

} // namespace

CaretBlink::CaretBlink(QCoreApplication& app, std::chrono::milliseconds idleTime)
    : QObject(&app), idleTime_(idleTime),
      flashTime_(QGuiApplication::styleHints()->cursorFlashTime()) {
    idleCheck_.setSingleShot(true);
    connect(&idleCheck_, &QTimer::timeout, this, &CaretBlink::CheckIdle);
    sinceInput_.start();
    idleCheck_.start(idleTime_);
    app.installEventFilter(this);
}

// The application's own destruction needs no restoring, and by then the
// style hints may already be gone.
CaretBlink::~CaretBlink() {
    if (!QCoreApplication::closingDown())
        SetBlinking(true);
}

bool CaretBlink::eventFilter(QObject* watched, QEvent* event) {
    if (IsUserInput(*event))
        NoteInput();
    return QObject::eventFilter(watched, event);
}

// Runs for every input event on its way to each receiver, so while the caret
// blinks it only restarts a clock; the timer is re-armed when it fires.
void CaretBlink::NoteInput() {
    sinceInput_.restart();
    if (!blinking_) {
        SetBlinking(true);
        idleCheck_.start(idleTime_);
    }
}

void CaretBlink::CheckIdle() {
    const auto idleFor = std::chrono::milliseconds(sinceInput_.elapsed());
    if (idleFor < idleTime_)
        idleCheck_.start(idleTime_ - idleFor);
    else
        SetBlinking(false);
}

void CaretBlink::SetBlinking(bool blinking) {
    if (blinking_ == blinking)
        return;
    blinking_ = blinking;
    QGuiApplication::styleHints()->setCursorFlashTime(blinking ? flashTime_ : 0);
}

void InstallCaretBlink(QCoreApplication& app) {
    new CaretBlink(app);
}

} // namespace tallix
