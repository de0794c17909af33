#include "Calculation.h"
#include "EngineError.h"
#include "RecordingMessageService.h"
#include "ResultText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tallix {
namespace {

using tallix::testing::RecordingMessageService;

std::string Boxes(const RecordingMessageService& messages) {
    std::string shown;
    for (const auto& box : messages.messages) {
        shown += " | " + box.title + ": " + box.prompt +
                 (box.icon == MessageIcon::Stop ? " (stop)" : " (warning)");
    }
    return shown;
}

std::string Shown(const EvaluationResult& result, std::string_view prepared) {
    switch (result.outcome) {
    case EvalOutcome::Value:
        return FormatResult(result.value, ".");
    case EvalOutcome::CannotCalculate:
        return std::string(kCannotCalculateText);
    case EvalOutcome::Failure:
        return std::to_string(result.errorNumber) + " " + result.errorDescription;
    case EvalOutcome::NoToken:
        break;
    }
    return std::string(prepared);
}

// A whole Calculate command in radians, step by step as the window takes
// it: what the edit box holds at the end, then each box shown, as
// " | title: prompt (icon)".
std::string Calculate(std::string_view typed) {
    RecordingMessageService messages;
    const std::optional<std::string> prepared = PrepareExpression(typed, messages);
    if (!prepared) {
        return std::string(typed) + Boxes(messages);
    }
    const TranslationResult translation = TranslatePrepared(*prepared);
    if (translation.error) {
        ShowSyntaxError(*translation.error, messages);
        return *prepared + Boxes(messages);
    }
    return Shown(EvaluatePostfix(translation.postfix, false, kVariableValue), *prepared) +
           Boxes(messages);
}

EvalOutcome AsOutcome(CalculationResult::Kind kind) {
    switch (kind) {
    case CalculationResult::Kind::Value:
        return EvalOutcome::Value;
    case CalculationResult::Kind::CannotCalculate:
        return EvalOutcome::CannotCalculate;
    case CalculationResult::Kind::Failure:
        return EvalOutcome::Failure;
    case CalculationResult::Kind::SyntaxError:
    case CalculationResult::Kind::NoResult:
        break;
    }
    return EvalOutcome::NoToken; // the edit box keeps the prepared text
}

// The same command through CalculatePrepared, which takes both steps at once.
std::string CalculateAtOnce(std::string_view typed) {
    RecordingMessageService messages;
    const std::optional<std::string> prepared = PrepareExpression(typed, messages);
    if (!prepared) {
        return std::string(typed) + Boxes(messages);
    }
    const CalculationResult result = CalculatePrepared(*prepared, false, messages);
    EvaluationResult evaluation;
    evaluation.outcome = AsOutcome(result.kind);
    evaluation.value = result.value;
    evaluation.errorNumber = result.errorNumber;
    evaluation.errorDescription = result.errorDescription;
    return Shown(evaluation, *prepared) + Boxes(messages);
}

// -0.12345 is a genuine result that equals the cannot-calculate sentinel.
const std::pair<const char*, std::string> kCases[] = {
    {"-0.12345", "-0.12345"                                                },
    {"sqr(-1)",  std::string(kCannotCalculateText)                         },
    {"0^0.5",    "0"                                                       },
    {"sin(2)",   "0.9092974"                                               },
    {"10^39",    std::to_string(ErrorNumber::Overflow) + " Overflow"       },
    {"2=2",      "2=2 | Error: The expression is illegal. (warning)"       },
    {"1 +",      "1+ | Syntax Error: Character 2:  Operand expected (stop)"},
};

TEST(Calculation, ShowsTheOutcomeOfEachStep) {
    for (const auto& [typed, shown] : kCases) {
        EXPECT_EQ(Calculate(typed), shown) << typed;
        EXPECT_EQ(CalculateAtOnce(typed), shown) << typed;
    }
}

// Precedence and grouping without hand-computed numbers: each text gives
// the same value as its explicit form.
const std::pair<const char*, const char*> kEquivalent[] = {
    {"2^3^2",    "(2^3)^2"    },
    {"-2^2",     "-(2^2)"     },
    {"-2*3",     "(-2)*3"     },
    {"8/2*3",    "(8/2)*3"    },
    {"2-3-4",    "(2-3)-4"    },
    {"1+2*3^2",  "1+(2*(3^2))"},
    {"sin(x)^2", "(sin(x))^2" },
    {"2sin(30)", "2*sin(30)"  },
    {"2(3+x)x",  "2*(3+x)*x"  },
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
