#pragma once

#include "engine/Evaluation.h"
#include "engine/Translation.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallix {

// Texts that report how a calculation ended: the window shows them, tallix-cli
// writes them to standard error.
inline constexpr std::string_view kIllegalExpressionPrompt = "The expression is illegal.";
inline constexpr std::string_view kErrorTitle = "Error";
inline constexpr std::string_view kCannotCalculateText = "Can not calculate the expression";

// The value of the variable X in every calculation.
inline constexpr float kVariableValue = 1.0f;

// The first two steps of a calculation. Each field is set only when the step
// before it succeeded, so a caller reads them in order.
struct PreparedTranslation {
    // prepare: the typed text with spaces dropped and each "," turned into
    // ".", which the window writes back into its edit box; nothing when the
    // text holds a character no expression may hold ("The expression is
    // illegal.").
    std::optional<std::string> prepared;
    // translate: the postfix text of the prepared text with the implicit "*"
    // inserted, or its first syntax error, whose position counts characters
    // of that text with "*" inserted.
    TranslationResult translation;
};

// A whole calculation: the first two steps, then the evaluation, which is
// set only when the translation found no syntax error.
struct CalculationResult : PreparedTranslation {
    // evaluate: the outcome, with the value or the failure (Evaluation.h).
    EvaluationResult evaluation;
    // The value written as the window shows it, when evaluation.outcome is Value.
    std::string resultText;
};

// What a calculation is asked for besides the text.
struct CalculationSettings {
    bool degrees = false;                    // the angle mode: degrees, else radians
    float x = kVariableValue;                // the value of the variable X
    std::string_view decimalSeparator = "."; // stands for "." in the result text
};

// Prepares typed text and translates it, and goes no further: the postfix
// text alone. Shows nothing.
PreparedTranslation PrepareAndTranslate(std::string_view typed);

// Every step of the Calculate command: prepare, translate, evaluate and write
// the value as text. Shows nothing; each caller shows the outcome its own
// way. May raise std::bad_alloc.
CalculationResult Calculate(std::string_view typed, const CalculationSettings& settings);

} // namespace tallix
