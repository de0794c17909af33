#include "controls/EditBox.h"

#include <QKeyEvent>

#include <algorithm>

namespace tallix {

namespace {

// The character code a key types, or 0 when it types nothing.
int KeyAsciiOf(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        return EditBox::kEnterKeyAscii;
    }
    const QString typed = event.text();
    if (typed.size() != 1 || !typed.front().isPrint()) {
        return 0;
    }
    return typed.front().unicode();
}

} // namespace

void EditBox::SetText(const QString& NewValue) {
    setText(NewValue);
    // QLineEdit leaves the caret at the end of a new text.
    setCursorPosition(0);
}

int EditBox::SelStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void EditBox::SetSelStart(int NewValue) {
    deselect();
    setCursorPosition(std::clamp(NewValue, 0, static_cast<int>(text().size())));
}

void EditBox::keyPressEvent(QKeyEvent* event) {
    int KeyAscii = KeyAsciiOf(*event);
    if (KeyAscii != 0) {
        emit KeyPress(KeyAscii);
        if (KeyAscii == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void EditBox::focusOutEvent(QFocusEvent* event) {
    const int start = selectionStart();
    const int length = static_cast<int>(selectedText().size());
    const bool caretAtStart = cursorPosition() == start;
    QLineEdit::focusOutEvent(event);
    if (length > 0 && !hasSelectedText()) {
        // Restored in its direction, so the caret stays at the same end.
        if (caretAtStart) {
            setSelection(start + length, -length);
        } else {
            setSelection(start, length);
        }
    }
}

} // namespace tallix
