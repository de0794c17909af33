#include "engine/Evaluation.h"
#include "tests/support/EngineOutcome.h"
#include "tests/support/Repeat.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <string>

namespace tallix {
namespace {

const std::string kValue = "value";
const std::string kCannot = "cannot calculate";
const std::string kPopEmpty = "-2147220493 Pop method invoked on empty stack";
const std::string kBadToken = "-2147220502 Bad token in Evaluate: ";
const std::string kOverflow = std::to_string(ErrorNumber::Overflow) + " Overflow";

struct EvaluationCase {
    const char* name;
    std::string postfix, outcome;
    float value = 0, x = 1.0f; // value: for kValue rows
};

// Rows of different lengths, laid out by hand.
// clang-format off
const EvaluationCase kCases[] = {
    // Operators, taking the left operand first, rounded to single at the end.
    {"LeftOperandFirst", "7 2 - 2 / ", kValue, 2.5},
    {"PowerIsLeftToTheRight", "2 3 ^ 2 ^ ", kValue, 64},
    {"ZeroToTheZeroIsOne", "0 0 ^ ", kValue, 1},
    {"ZeroBaseFractionalPower", "0 0.5 ^ ", kValue, 0},
    {"NegatedZeroPower", "5 0 ^ (-) ", kValue, -1},
    {"NegativeBaseWholePower", "2 (-) 3 ^ ", kValue, -8},
    {"PositiveBaseFractionalNegativeExponent", "4 0.5 (-) ^ ", kValue, 0.5},
    {"UnderflowingPowerIsZero", "10 400 (-) ^ ", kValue, 0},
    {"FunctionInExpression", "2 0 EXP * 1 + ", kValue, 3},
    {"OnlyTheTopIsTaken", "1 2 ", kValue, 2},
    {"TextAfterLastSpaceIgnored", "1 2 + 3", kValue, 3},
    {"LargestSingle", "3.4028235 10 38 ^ * ", kValue, 3.4028235e38f},
    {"DeepStack", testing::Repeat("1 ", 1000) + testing::Repeat("+ ", 999), kValue, 1000}, // all stacked, then added
    // The variable comes from the caller (the calculation's rows hold the angle mode).
    {"NegatedVariable", "XX (-) ", kValue, -0.1f, 0.1f},
    // Numbers: digits with at most one point; no sign, comma or exponent.
    {"CommaOrExponentEndsNumber", "1,5 1e5 + ,5 + ", kValue, 2},
    {"PointAtEitherEndSecondEndsNumber", ".5 5. * 1.2.3 + ", kValue, 3.7f},
    {"DigitsBelowDoubleRange", "0." + std::string(400, '0') + "1 ", kValue, 0},
    {"DigitsBeyondDoubleRange", std::string(400, '9') + " ", kOverflow},
    {"SignedNumberIsNoNumber", "+1 ", kBadToken + "+1"},
    // Guards: the sentinel, at once.
    {"DivisionByNegativeZero", "5 0 (-) / ", kCannot},
    {"NegativeBaseFractionalPower", "2 (-) 0.5 ^ ", kCannot},
    {"FunctionGuard", "1 (-) SQR ", kCannot},
    {"StopsAtTheGuard", "5 0 / FOO 1 + ", kCannot},
    // No token: the result is left alone.
    {"EmptyText", "", "no token"},
    {"NoSpace", "1+2", "no token"},
    // Failures.
    {"LowerCaseFunction", "1 sin ", kBadToken + "sin"},
    {"EmptyToken", "1  ", kBadToken},
    {"OperatorMissesLeft", "1 + ", kPopEmpty},
    {"FunctionMissesValue", "SIN ", kPopEmpty},
    // Values beyond the single or double range fail, never the sentinel.
    {"SingleRangeNegative", "4 (-) 10 38 ^ * ", kOverflow},
    {"ProductBeyondDouble", "10 200 ^ 10 200 ^ * ", kOverflow},
    {"ZeroToANegativePower", "0 1 (-) ^ ", kOverflow},
    {"InfinitePowerReachesOperator", "10 400 ^ 0 * ", kOverflow},
    {"InfinitePowerReachesFunction", "10 400 ^ ATAN ", kOverflow},
};
// clang-format on

class Evaluator : public ::testing::TestWithParam<EvaluationCase> {};

TEST_P(Evaluator, GivesTheOutcome) {
    const EvaluationCase& c = GetParam();
    const EvaluationResult e = EvaluatePostfix(c.postfix, false, c.x);
    EXPECT_EQ(testing::OutcomeText(e), c.outcome);
    if (c.outcome == kValue) {
        EXPECT_EQ(e.value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Postfix, Evaluator, ::testing::ValuesIn(kCases), testing::RowName{});

} // namespace
} // namespace tallix
