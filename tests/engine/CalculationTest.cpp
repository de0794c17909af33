#include "Calculation.h"
#include "EngineError.h"
#include "RecordingMessageService.h"
#include "ResultText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tallix {
namespace {

using Kind = CalculationResult::Kind;

// A whole Calculate command in radians: what the edit box holds at the end,
// then each box shown, as " | title: prompt (icon)".
std::string Calculate(std::string_view typed) {
    tallix::testing::RecordingMessageService messages;
    const std::optional<std::string> prepared = PrepareExpression(typed, messages);
    std::string shown = prepared.value_or(std::string(typed));
    const CalculationResult result =
        prepared ? CalculatePrepared(*prepared, false, messages) : CalculationResult{};
    if (result.kind == Kind::Value) {
        shown = FormatResult(result.value, ".");
    } else if (result.kind == Kind::CannotCalculate) {
        shown = kCannotCalculateText;
    } else if (result.kind == Kind::Failure) {
        shown = std::to_string(result.errorNumber) + " " + result.errorDescription;
    }
    for (const auto& box : messages.messages) {
        shown += " | " + box.title + ": " + box.prompt +
                 (box.icon == MessageIcon::Stop ? " (stop)" : " (warning)");
    }
    return shown;
}

// -0.12345 is a genuine result that equals the cannot-calculate sentinel.
TEST(Calculation, ShowsTheOutcomeOfEachStep) {
    const std::pair<const char*, std::string> kCases[] = {
        {"-0.12345", "-0.12345"                                                },
        {"sqr(-1)",  std::string(kCannotCalculateText)                         },
        {"10^39",    std::to_string(ErrorNumber::Overflow) + " Overflow"       },
        {"2=2",      "2=2 | Error: The expression is illegal. (warning)"       },
        {"1 +",      "1+ | Syntax Error: Character 2:  Operand expected (stop)"},
    };
    for (const auto& [typed, shown] : kCases) {
        EXPECT_EQ(Calculate(typed), shown) << typed;
    }
}

} // namespace
} // namespace tallix
