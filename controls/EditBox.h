#pragma once

#include <QLineEdit>
#include <QString>

namespace tallix {

// The single-line edit box the windows rely on, over QLineEdit:
// - SetText puts the caret at the start of the new text with nothing selected;
// - SelStart is the number of characters before the caret, or before the
//   selection when text is selected; SetSelStart leaves nothing selected;
// - the selection survives the loss of the focus (QLineEdit would drop it),
//   so commands run from a button still see where the user left the caret;
// - every typed character is offered to the KeyPress handlers first, with
//   Return and the keypad's Enter both as 13; a handler that sets KeyAscii
//   to 0 discards the key. Keys that type nothing (arrows, Tab) are not offered.
class EditBox : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int kEnterKeyAscii = 13;

    explicit EditBox(QWidget* parent = nullptr) : QLineEdit(parent) {}

    QString Text() const { return text(); }
    void SetText(const QString& NewValue);

    int SelStart() const;
    // Counts beyond the text put the caret at its end.
    void SetSelStart(int NewValue);

signals:
    void KeyPress(int& KeyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace tallix
