#pragma once

#include "engine/Evaluation.h"
#include "engine/MessageService.h"
#include "engine/Translation.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallix {

// Texts the Calculate command shows.
inline constexpr std::string_view kIllegalExpressionPrompt = "The expression is illegal.";
inline constexpr std::string_view kErrorTitle = "Error";
inline constexpr std::string_view kCannotCalculateText = "Can not calculate the expression";

// The value of the variable X in every calculation.
inline constexpr float kVariableValue = 1.0f;

// The steps of the Calculate command, each returning what happened:
//   prepared = PrepareExpression(typed)     write it back into the edit box
//   translation = TranslatePrepared(prepared)  on an error, ShowSyntaxError
//   EvaluatePostfix(translation.postfix, degrees, kVariableValue)  show it

// Validation and normalisation of the typed text. Shows "The expression is
// illegal." (title "Error", warning icon) and returns nothing when the text
// is refused; otherwise returns the prepared text that the caller writes
// back into its edit box.
std::optional<std::string> PrepareExpression(std::string_view typed, MessageService& messages);

// Implicit multiplication, then translation, of the prepared text as the
// edit box now holds it. Error positions count characters of the text with
// "*" inserted.
TranslationResult TranslatePrepared(std::string_view prepared);

} // namespace tallix
