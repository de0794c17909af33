#pragma once

#include "engine/MessageService.h"

#include <string_view>

class QRadioButton;

namespace tallix {

class EditBox;

// The Calculate command: validates and normalises the text of Text1 and
// writes the prepared text back, translates and evaluates it in the angle
// mode chosen by the option buttons at this moment, and replaces the text
// with the result (with the given decimal separator) or with "Can not
// calculate the expression". Refused text gets the box "The expression is
// illegal."; the translator shows its own "Syntax Error" box; a failure the
// evaluator raises (an overflow, say) gets a warning box titled "Error"
// with its description, and the box keeps the prepared text. Every
// replacement leaves the caret at the start; the focus does not move.
// Option2 is the "Angle" choice: degrees when selected, radians otherwise.
void RunCalculate(EditBox& Text1, const QRadioButton& Option2, MessageService& messages,
                  std::string_view decimalSeparator);

} // namespace tallix
