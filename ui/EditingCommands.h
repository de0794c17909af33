#pragma once

#include <QString>

class QListView;

namespace tallix {

class EditBox;

// The editing commands of the main window, on its expression box (Text1)
// and function list (List1). They work at the edit box's selection start and
// ignore the length of a selection: a selected text is neither replaced nor
// removed as a whole.

// Inserts text at the caret, gives the box the focus and leaves the caret
// right after the inserted text with nothing selected.
void InsertAtCaret(EditBox& expressionBox, const QString& text);

// Removes the character before the caret. With the caret at the start it
// does nothing, not even take the focus.
void Backspace(EditBox& expressionBox);

// Removes the character after the caret, which stays put. With the caret at
// the end it does nothing.
void DeleteAfterCaret(EditBox& expressionBox);

// Inserts the selected function name without its closing parenthesis
// ("sin()" inserts "sin("). With no entry selected it does nothing.
void InsertFunction(EditBox& expressionBox, const QListView& functionList);

// Empties the box without touching the focus.
void Clear(EditBox& expressionBox);

} // namespace tallix
