// The button's interaction: the container's mouse, keyboard, focus and
// access-key notifications turned into its state flags, repaints and events,
// and the hover poll that gives the hot look.
#include "controls/XPButton.h"

#include "platform/ApplicationPointerProbe.h"
#include "platform/QtMessageService.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>

#include <string>

namespace {

constexpr qint16 KeySpace = 32;
constexpr qint16 KeyEnter = 13;
constexpr qint16 LeftButton = 1;

// Key codes of the keys that are not a letter, a digit or space (those are
// their own upper-case character), as the events' KeyCode carries them.
struct KeyCodeRow {
    Qt::Key key;
    qint16 code;
};
constexpr KeyCodeRow KeyCodes[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},       {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},      {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},   {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},      {Qt::Key_Home, 36},     {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},       {Qt::Key_Right, 39},    {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},   {Qt::Key_Asterisk, 106},
    {Qt::Key_Plus, 107},    {Qt::Key_Minus, 109},   {Qt::Key_Period, 110},
    {Qt::Key_Slash, 111},   {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
};
constexpr qint16 FirstFunctionKeyCode = 112; // F1; F2 to F24 follow it
constexpr qint16 FirstKeypadDigitCode = 96;  // keypad 0; keypad 1 to 9 follow it

qint16 KeyCodeOf(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return qint16(keypad ? FirstKeypadDigitCode + (key - Qt::Key_0) : key);
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_Space) {
        return qint16(key);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return qint16(FirstFunctionKeyCode + (key - Qt::Key_F1));
    }
    for (const KeyCodeRow& row : KeyCodes) {
        if (row.key == key) {
            return row.code;
        }
    }
    return 0;
}

// The typed character, or -1 when the key types none. Both Enter keys type 13.
int KeyAsciiOf(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        return KeyEnter;
    }
    return event.text().isEmpty() ? -1 : event.text().at(0).unicode();
}

// The Shift parameter: 1 for Shift, 2 for Ctrl, 4 for Alt, added together.
qint16 ShiftOf(Qt::KeyboardModifiers modifiers) {
    return qint16((modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
                  (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
                  (modifiers.testFlag(Qt::AltModifier) ? 4 : 0));
}

// The Button parameter: 1 left, 2 right, 4 middle, added together.
qint16 ButtonsOf(Qt::MouseButtons buttons) {
    return qint16((buttons.testFlag(Qt::LeftButton) ? 1 : 0) |
                  (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
                  (buttons.testFlag(Qt::MiddleButton) ? 4 : 0));
}

bool InsideShape(const QWidget& widget, QPoint pos) {
    const QRegion shape = widget.mask();
    return widget.rect().contains(pos) && (shape.isEmpty() || shape.contains(pos));
}

} // namespace

namespace tallix {

void XPButton::setMessageService(tallix::MessageService* service) {
    messages_ = service;
}

void XPButton::setPointerProbe(tallix::PointerProbe* probe) {
    probe_ = probe;
}

bool XPButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        const QKeySequence keys = static_cast<QShortcutEvent*>(event)->key();
        OnAccessKey(qint16(keys.isEmpty() ? 0 : keys[0].key()));
        return true;
    }
    return QWidget::event(event);
}

void XPButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        clickArmed_ = true;
    }
    const QPointF pos = event->position();
    OnMouseDown(ButtonsOf(event->button()), ShiftOf(event->modifiers()), float(pos.x()),
                float(pos.y()));
}

void XPButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    OnMouseUp(ButtonsOf(event->button()), ShiftOf(event->modifiers()), float(pos.x()),
              float(pos.y()));
    // A click is a left press on the control released over it; Qt sends the
    // release to the control that took the press, wherever the pointer is.
    if (event->button() == Qt::LeftButton && clickArmed_) {
        clickArmed_ = false;
        if (InsideShape(*this, pos.toPoint())) {
            OnClick();
        }
    }
}

void XPButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // The second left press of a double click is reported as the double
    // click alone; its release is no click.
    clickArmed_ = false;
    OnDoubleClick();
}

void XPButton::mouseMoveEvent(QMouseEvent* event) {
    if (!enabledFlag_) {
        return;
    }
    qint16 Button = ButtonsOf(event->buttons());
    qint16 Shift = ShiftOf(event->modifiers());
    float x = float(event->position().x());
    float Y = float(event->position().y());
    emit MouseMove(Button, Shift, x, Y);
}

void XPButton::keyPressEvent(QKeyEvent* event) {
    OnKeyDown(KeyCodeOf(*event), ShiftOf(event->modifiers()));
    const int ascii = KeyAsciiOf(*event);
    if (ascii >= 0) {
        OnKeyPress(qint16(ascii));
    }
}

void XPButton::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its key down only, as the pressed look of a held
    // space needs.
    if (event->isAutoRepeat()) {
        return;
    }
    OnKeyUp(KeyCodeOf(*event), ShiftOf(event->modifiers()));
}

void XPButton::focusInEvent(QFocusEvent* /*event*/) {
    OnFocus(true);
}

void XPButton::focusOutEvent(QFocusEvent* /*event*/) {
    OnFocus(false);
}

void XPButton::OnClick() {
    if (enabledFlag_) {
        emit Click();
    }
}

void XPButton::OnDoubleClick() {
    if (enabledFlag_) {
        emit DoubleClick();
    }
}

void XPButton::OnFocus(bool gained) {
    if (!enabledFlag_) {
        return;
    }
    bolFocused = gained;
    DrawButton();
}

void XPButton::SetPressed(bool pressed) {
    bolPressed = pressed;
    DrawButton();
}

// The tests on KeyCode, KeyAscii and Button read the values after the
// handlers ran: a handler may change them to change what happens next.
void XPButton::OnKeyDown(qint16 KeyCode, qint16 Shift) {
    if (!enabledFlag_) {
        return;
    }
    emit KeyDown(KeyCode, Shift);
    if (KeyCode == KeySpace) {
        SetPressed(true);
    }
}

void XPButton::OnKeyPress(qint16 KeyAscii) {
    if (!enabledFlag_) {
        return;
    }
    emit KeyPress(KeyAscii);
    if (KeyAscii == KeyEnter) {
        emit Click();
    }
}

void XPButton::OnKeyUp(qint16 KeyCode, qint16 Shift) {
    if (!enabledFlag_) {
        return;
    }
    emit KeyUp(KeyCode, Shift);
    if (KeyCode == KeySpace) {
        SetPressed(false);
    }
}

void XPButton::OnMouseDown(qint16 Button, qint16 Shift, float x, float Y) {
    if (!enabledFlag_) {
        return;
    }
    emit MouseDown(Button, Shift, x, Y);
    if (Button == LeftButton) {
        SetPressed(true);
    }
}

void XPButton::OnMouseUp(qint16 Button, qint16 Shift, float x, float Y) {
    if (!enabledFlag_) {
        return;
    }
    emit MouseUp(Button, Shift, x, Y);
    if (Button == LeftButton) {
        SetPressed(false);
    }
}

// Shown even while Enabled is False, and raises no event.
void XPButton::OnAccessKey(qint16 KeyAscii) {
    const std::string prompt = std::to_string(KeyAscii);
    const std::string title = QGuiApplication::applicationDisplayName().toStdString();
    if (messages_) {
        messages_->ShowMessage(prompt, title, tallix::MessageIcon::None);
    } else {
        tallix::QtMessageService(this).ShowMessage(prompt, title, tallix::MessageIcon::None);
    }
}

bool XPButton::IsOwnWindow(const QWidget* widget) const {
    return widget == this || (widget && isAncestorOf(widget));
}

void XPButton::PollHover() {
    if (!enabledFlag_) {
        return;
    }
    // Stopped while it works, so a handler that waits for the user never
    // has a second poll run under it; the next tick is a full interval later.
    const bool wasRunning = tmrCheck.isActive();
    tmrCheck.stop();
    const tallix::PointerSample sample =
        (probe_ ? *probe_ : tallix::ApplicationPointerProbe()).Sample();
    ptCursor = sample.screenPos;
    const bool over = IsOwnWindow(sample.widget);
    if (!bolHover && over) {
        bolHover = true;
        DrawButton();
        emit MouseEnters(ptCursor.x(), ptCursor.y());
    } else if (bolHover && !over) {
        bolHover = false;
        DrawButton();
        emit MouseLeaves(ptCursor.x(), ptCursor.y());
    }
    if (!wasRunning) {
        return;
    }
    if (sample.overApplication) {
        tmrCheck.start();
    } else {
        hoverResting_ = true;
    }
}

void XPButton::WakeHoverPoll() {
    if (!hoverResting_) {
        return;
    }
    hoverResting_ = false;
    tmrCheck.start();
    // The first poll comes at once, as the pointer may have come straight
    // onto the control; queued, so that no handler of the hover events runs
    // inside the window system's event delivery.
    QMetaObject::invokeMethod(this, &XPButton::PollHover, Qt::QueuedConnection);
}

} // namespace tallix
