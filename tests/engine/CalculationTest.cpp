#include "engine/Calculation.h"
#include "engine/EngineError.h"
#include "engine/ResultText.h"
#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tallix {
namespace {

using tallix::testing::RecordingMessageService;

// A whole Calculate command in radians: what the edit box holds at the end,
// then each box shown, as " | title: prompt (icon)". The window takes the
// same steps one by one; its own tests show that.
std::string Calculate(std::string_view typed) {
    RecordingMessageService messages;
    const std::optional<std::string> prepared = PrepareExpression(typed, messages);
    std::string shown = prepared.value_or(std::string(typed));
    EvaluationResult result;
    if (prepared) {
        const TranslationResult translation = TranslatePrepared(*prepared);
        if (translation.error) {
            ShowSyntaxError(*translation.error, messages);
        } else {
            result = EvaluatePostfix(translation.postfix, false, kVariableValue);
        }
    }
    if (result.outcome == EvalOutcome::Value) {
        shown = FormatResult(result.value, ".");
    } else if (result.outcome == EvalOutcome::CannotCalculate) {
        shown = kCannotCalculateText;
    } else if (result.outcome == EvalOutcome::Failure) {
        shown = std::to_string(result.errorNumber) + " " + result.errorDescription;
    }
    for (const auto& box : messages.messages) {
        shown += " | " + box.title + ": " + box.prompt +
                 (box.icon == MessageIcon::Stop ? " (stop)" : " (warning)");
    }
    return shown;
}

// -0.12345 is a genuine result that equals the cannot-calculate sentinel.
const std::pair<const char*, std::string> kCases[] = {
    {"-0.12345", "-0.12345"},
    {"sqr(-1)", std::string(kCannotCalculateText)},
    {"sin(2)", "0.9092974"},
    {"10^39", std::to_string(ErrorNumber::Overflow) + " Overflow"},
    {"2=2", "2=2 | Error: The expression is illegal. (warning)"},
    {"1 +", "1+ | Syntax Error: Character 2:  Operand expected (stop)"},
};

TEST(Calculation, ShowsTheOutcomeOfEachStep) {
    for (const auto& [typed, shown] : kCases) {
        EXPECT_EQ(Calculate(typed), shown) << typed;
    }
}

// Precedence and grouping without hand-computed numbers: each text gives
// the same value as its explicit form.
const std::pair<const char*, const char*> kEquivalent[] = {
    {"2^3^2", "(2^3)^2"},       {"-2^2", "-(2^2)"},        {"-2*3", "(-2)*3"},
    {"8/2*3", "(8/2)*3"},       {"2-3-4", "(2-3)-4"},      {"1+2*3^2", "1+(2*(3^2))"},
    {"sin(x)^2", "(sin(x))^2"}, {"2sin(30)", "2*sin(30)"}, {"2(3+x)x", "2*(3+x)*x"},
};

TEST(Calculation, EquivalentTextsGiveTheSameValue) {
    for (const auto& [text, explicitForm] : kEquivalent) {
        const std::string shown = Calculate(text);
        EXPECT_EQ(shown, Calculate(explicitForm)) << text;
        EXPECT_EQ(shown.find_first_not_of("-0123456789.E+"), std::string::npos) << text;
    }
}

} // namespace
} // namespace tallix
