#pragma once

#include "Cls6.h"
#include "MessageService.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallix {

// Texts the Calculate command shows.
inline constexpr std::string_view kIllegalExpressionPrompt = "The expression is illegal.";
inline constexpr std::string_view kErrorTitle = "Error";
inline constexpr std::string_view kCannotCalculateText = "Can not calculate the expression";

// The first half of the Calculate command: validation and normalisation of
// the typed text. Shows "The expression is illegal." (title "Error", warning
// icon) and returns nothing when the text is refused; otherwise returns the
// prepared text that the caller writes back into its edit box.
std::optional<std::string> PrepareExpression(std::string_view typed, MessageService& messages);

// How the second half of the Calculate command ended.
struct CalculationResult {
    enum class Kind {
        SyntaxError,     // the translator has shown its box; the edit box keeps the prepared text
        NoResult,        // the evaluator found no token; nothing shown
        CannotCalculate, // show kCannotCalculateText
        Value,           // show FormatResult(value, separator)
        Failure,         // the evaluator raised errorNumber / errorDescription
    };
    Kind kind = Kind::NoResult;
    float value = 0.0f;
    std::int32_t errorNumber = 0;
    std::string errorDescription;
};

// The second half of the Calculate command, on the prepared text as the
// edit box now holds it: implicit multiplication, translation, evaluation
// with X = 1 in the given angle mode. A failure raised by the evaluator is
// caught here and returned as Kind::Failure.
CalculationResult CalculatePrepared(std::string_view prepared, bool bolDegree,
                                    MessageService& messages);

} // namespace tallix
