#include "ui/EditingCommands.h"

#include "controls/EditBox.h"

#include <QListView>

namespace tallix {

void InsertAtCaret(EditBox& expressionBox, const QString& text) {
    const QString content = expressionBox.Text();
    const QString left = content.left(expressionBox.SelStart());
    const QString right = content.mid(left.size());
    expressionBox.SetText(left + text + right);
    expressionBox.setFocus();
    expressionBox.SetSelStart(static_cast<int>(left.size() + text.size()));
}

void Backspace(EditBox& expressionBox) {
    const int caret = expressionBox.SelStart();
    if (caret == 0) {
        return;
    }
    const QString content = expressionBox.Text();
    expressionBox.SetText(content.left(caret - 1) + content.mid(caret));
    expressionBox.setFocus();
    expressionBox.SetSelStart(caret - 1);
}

void DeleteAfterCaret(EditBox& expressionBox) {
    const int caret = expressionBox.SelStart();
    const QString content = expressionBox.Text();
    if (caret >= content.size()) {
        return;
    }
    expressionBox.SetText(content.left(caret) + content.mid(caret + 1));
    expressionBox.setFocus();
    expressionBox.SetSelStart(caret);
}

void InsertFunction(EditBox& expressionBox, const QListView& functionList) {
    // The selected entry, which need not be the current one: assistive
    // technology selects an entry without moving the current one, and
    // Ctrl+click can leave the list with none selected. The list selects one
    // entry at most.
    const QModelIndexList selected = functionList.selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        return;
    }
    QString name = selected.front().data().toString();
    name.chop(1);
    InsertAtCaret(expressionBox, name);
}

void Clear(EditBox& expressionBox) {
    expressionBox.SetText(QString());
}

} // namespace tallix
