#pragma once

#include "platform/MessageService.h"

#include <string_view>

class QRadioButton;

namespace tallix {

class EditBox;

// The Calculate command: validates and normalises the text of the
// expression box (the main window's Text1) and writes the prepared text back, translates and
// evaluates it in the angle mode chosen by the option buttons at this moment, and replaces the text
// with the result (with the given decimal separator) or with "Can not
// calculate the expression". Refused text gets the box "The expression is
// illegal."; a syntax error gets the "Syntax Error" box; a failure the
// evaluator raises (an overflow, say) gets a warning box titled "Error"
// with its description, and the box keeps the prepared text. Every
// replacement leaves the caret at the start; the focus does not move.
// degreesOption is the "Angle" choice (Option2): degrees when selected,
// radians otherwise.
void RunCalculate(EditBox& expressionBox, const QRadioButton& degreesOption,
                  MessageService& messages, std::string_view decimalSeparator);

} // namespace tallix
