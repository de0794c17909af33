#include "ui/EditingCommands.h"

#include "controls/EditBox.h"

#include <QListWidget>

namespace tallix {

void InsertAtCaret(EditBox& Text1, const QString& text) {
    const QString T = Text1.Text();
    const QString left = T.left(Text1.SelStart());
    const QString right = T.mid(left.size());
    Text1.SetText(left + text + right);
    Text1.setFocus();
    Text1.SetSelStart(static_cast<int>(left.size() + text.size()));
}

void Backspace(EditBox& Text1) {
    const int s = Text1.SelStart();
    if (s == 0) {
        return;
    }
    const QString T = Text1.Text();
    Text1.SetText(T.left(s - 1) + T.mid(s));
    Text1.setFocus();
    Text1.SetSelStart(s - 1);
}

void DeleteAfterCaret(EditBox& Text1) {
    const int s = Text1.SelStart();
    const QString T = Text1.Text();
    if (s >= T.size()) {
        return;
    }
    Text1.SetText(T.left(s) + T.mid(s + 1));
    Text1.setFocus();
    Text1.SetSelStart(s);
}

void InsertFunction(EditBox& Text1, const QListWidget& List1) {
    // Ctrl+click can leave the list without a selected entry.
    const QListWidgetItem* selected = List1.currentItem();
    if (selected == nullptr || !selected->isSelected()) {
        return;
    }
    QString name = selected->text();
    name.chop(1);
    InsertAtCaret(Text1, name);
}

void Clear(EditBox& Text1) {
    Text1.SetText(QString());
}

} // namespace tallix
