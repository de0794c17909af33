#include "engine/Calculation.h"
#include "engine/EngineError.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

namespace tallix {
namespace {

// What each step gave, as one text: "refused", or the prepared text, " | "
// and then the syntax error's prompt, the result text, "cannot calculate",
// or the failure's number and description.
std::string Described(const CalculationResult& result) {
    if (!result.prepared) {
        return "refused";
    }
    const std::string prepared = *result.prepared + " | ";
    if (result.translation.error) {
        return prepared + SyntaxErrorPrompt(*result.translation.error);
    }
    const EvaluationResult& evaluation = result.evaluation;
    switch (evaluation.outcome) {
    case EvalOutcome::Value:
        return prepared + result.resultText;
    case EvalOutcome::CannotCalculate:
        return prepared + "cannot calculate";
    case EvalOutcome::Failure:
        return prepared + std::to_string(evaluation.errorNumber) + " " +
               evaluation.errorDescription;
    case EvalOutcome::NoToken:
        break;
    }
    return prepared + "no token";
}

struct CalculationCase {
    const char* name;
    const char* typed;
    CalculationSettings settings;
    std::string described;
};

// Failures name the row rather than dump its bytes.
void PrintTo(const CalculationCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string kOverflow = std::to_string(ErrorNumber::Overflow) + " Overflow";

// clang-format off
const CalculationCase kCases[] = {
    {"SpacesDroppedCommaAsPoint", "2,5 * 2", {}, "2.5*2 | 5"},
    {"BlankIsZero", "", {}, "0 | 0"},
    {"TwoSpacesTranslateAsNothing", "  ", {}, " | Character 1:  Operand expected"},
    {"IllegalCharacterRefused", "2=2", {}, "refused"},
    {"SyntaxErrorKeepsPreparedText", "1 +", {}, "1+ | Character 2:  Operand expected"},
    {"ErrorPositionCountsInsertedStar", "2x+", {}, "2x+ | Character 4:  Operand expected"},
    {"GuardCannotCalculate", "sqr(-1)", {}, "sqr(-1) | cannot calculate"},
    // -0.12345 is a genuine result that equals the cannot-calculate sentinel.
    {"SentinelValueIsAResult", "-0.12345", {}, "-0.12345 | -0.12345"},
    {"BeyondSingleFails", "10^39", {}, "10^39 | " + kOverflow},
    {"Radians", "sin(90)", {}, "sin(90) | 0.8939967"},
    {"Degrees", "sin(90)", {.degrees = true}, "sin(90) | 1"},
    {"VariableFromTheSettings", "2x", {.x = 2.5f}, "2x | 5"},
    {"VariableIsOneByDefault", "2x", {}, "2x | 2"},
    {"SeparatorInTheResult", "1/4", {.decimalSeparator = ","}, "1/4 | 0,25"},
};
// clang-format on

class CalculationSteps : public ::testing::TestWithParam<CalculationCase> {};

TEST_P(CalculationSteps, GiveWhatEachStepGave) {
    const CalculationCase& c = GetParam();
    EXPECT_EQ(Described(Calculate(c.typed, c.settings)), c.described);
}

INSTANTIATE_TEST_SUITE_P(Calculation, CalculationSteps, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The translation alone stops before evaluating: postfix text, not a value.
TEST(Calculation, TranslationAloneGivesThePostfixText) {
    const PreparedTranslation steps = PrepareAndTranslate("2 x^2");
    EXPECT_EQ(steps.prepared, "2x^2");
    EXPECT_EQ(steps.translation.postfix, "2 XX 2 ^ * ");
    EXPECT_FALSE(steps.translation.error);
    EXPECT_FALSE(PrepareAndTranslate("3#").prepared);
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
        const CalculationResult result = Calculate(text, {});
        ASSERT_EQ(result.evaluation.outcome, EvalOutcome::Value) << text;
        EXPECT_EQ(result.resultText, Calculate(explicitForm, {}).resultText) << text;
    }
}

} // namespace
} // namespace tallix
