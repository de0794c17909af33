#include "engine/Calculation.h"
#include "tests/support/EngineOutcome.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <string>

namespace tallix {
namespace {

// What each step gave, as one text: "refused", or the prepared text, " | "
// and then the syntax error's prompt, the result text, or the outcome.
std::string Described(const CalculationResult& result) {
    if (!result.prepared) {
        return "refused";
    }
    const EvaluationResult& e = result.evaluation;
    return *result.prepared + " | " +
           (result.translation.error          ? SyntaxErrorPrompt(*result.translation.error)
            : e.outcome == EvalOutcome::Value ? result.resultText
                                              : testing::OutcomeText(e));
}

// The translator's and the evaluator's tables hold their rules; these rows
// hold what Calculate joins: each step's outcome and each setting.
struct CalculationCase {
    const char *name, *typed;
    CalculationSettings settings;
    std::string described;
};

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
    {"PowerFromTheLeft", "2^3^2", {}, "2^3^2 | 64"},
    {"ImpliedProductWithFunction", "2sin(30)", {}, "2sin(30) | -1.976063"},
};
// clang-format on

class CalculationSteps : public ::testing::TestWithParam<CalculationCase> {};

TEST_P(CalculationSteps, GiveWhatEachStepGave) {
    EXPECT_EQ(Described(Calculate(GetParam().typed, GetParam().settings)), GetParam().described);
}

INSTANTIATE_TEST_SUITE_P(Calculation, CalculationSteps, ::testing::ValuesIn(kCases),
                         testing::RowName{});

} // namespace
} // namespace tallix
