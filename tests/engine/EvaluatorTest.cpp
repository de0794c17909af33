#include "Cls6.h"
#include "EngineError.h"
#include "RecordingMessageService.h"

#include <gtest/gtest.h>

#include <string>

namespace tallix {
namespace {

// sngResult starts at a value no row produces, so "untouched" is visible.
constexpr float kUntouched = 42.0f;
const std::string kValue = "value";
const std::string kCannot = "cannot calculate";
const std::string kNoToken = "no token";
const std::string kPopEmpty = "-2147220493 Pop method invoked on empty stack";
const std::string kBadToken = "-2147220502 Bad token in Evaluate: ";
const std::string kOverflow = std::to_string(ErrorNumber::Overflow) + " Overflow";

struct Evaluated {
    std::string outcome; // kValue, kCannot, kNoToken, or a failure's number and description
    float result = kUntouched;
};

// One DoEvaluate call; a failure is caught and described. Every call goes
// to the same Cls6, so no call may see what an earlier one left behind.
Evaluated Evaluate(std::string postfix, bool degree = false, float x = 1.0f) {
    static tallix::testing::RecordingMessageService messages;
    static Cls6 cls6(messages);
    Evaluated e;
    float unused[7] = {};
    try {
        const EvalStatus status =
            cls6.DoEvaluate(postfix, degree, e.result, unused[0], unused[1], x, unused[2],
                            unused[3], unused[4], unused[5], unused[6]);
        e.outcome = status.outcome == EvalOutcome::Value     ? kValue
                    : status.outcome == EvalOutcome::NoToken ? kNoToken
                                                             : kCannot;
    } catch (const EngineError& error) {
        e.outcome = std::to_string(error.Number()) + " " + error.Description();
    }
    return e;
}

struct EvaluationCase {
    const char* name;
    std::string postfix;
    std::string outcome;
    float value = 0; // for kValue rows
};

// A thousand values stacked, then added.
std::string DeepSum() {
    std::string postfix;
    for (int i = 0; i < 1000; ++i) {
        postfix = "1 " + postfix + (i > 0 ? "+ " : "");
    }
    return postfix;
}

// Rows of different lengths, laid out by hand.
// clang-format off
const EvaluationCase kCases[] = {
    // Operators, taking the left operand first, rounded to single at the end.
    {"LeftOperandFirst", "7 2 - 2 / ", kValue, 2.5},
    {"PowerIsLeftToTheRight", "2 3 ^ 2 ^ ", kValue, 64},
    {"ZeroToTheZeroIsOne", "0 0 ^ ", kValue, 1},
    {"NegatedZeroPower", "5 0 ^ (-) ", kValue, -1},
    {"NegativeBaseWholePower", "2 (-) 3 ^ ", kValue, -8},
    {"PositiveBaseFractionalNegativeExponent", "4 0.5 (-) ^ ", kValue, 0.5},
    {"UnderflowingPowerIsZero", "10 400 (-) ^ ", kValue, 0},
    {"FunctionInExpression", "2 0 EXP * 1 + ", kValue, 3},
    {"OnlyTheTopIsTaken", "1 2 ", kValue, 2},
    {"TextAfterLastSpaceIgnored", "1 2 + 3", kValue, 3},
    {"GenuineSentinelValue", "0.12345 (-) ", kValue, -0.12345f},
    {"LargestSingle", "3.4028235 10 38 ^ * ", kValue, 3.4028235e38f},
    {"DeepStack", DeepSum(), kValue, 1000},
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
    {"EmptyText", "", kNoToken},
    {"NoSpace", "1+2", kNoToken},
    // Failures.
    {"LowerCaseFunction", "1 sin ", kBadToken + "sin"},
    {"EmptyToken", "1  ", kBadToken},
    {"OperatorMissesLeft", "1 + ", kPopEmpty},
    {"FunctionMissesValue", "SIN ", kPopEmpty},
    // Values beyond the single or double range fail, never the sentinel.
    {"SingleRangeExceeded", "10 39 ^ ", kOverflow},
    {"SingleRangeNegative", "4 (-) 10 38 ^ * ", kOverflow},
    {"SumBeyondDouble", "10 308 ^ 10 308 ^ + ", kOverflow},
    {"DifferenceBeyondDouble", "10 308 ^ (-) 10 308 ^ - ", kOverflow},
    {"ProductBeyondDouble", "10 200 ^ 10 200 ^ * ", kOverflow},
    {"QuotientBeyondDouble", "10 308 ^ 0.01 / ", kOverflow},
    {"ZeroToANegativePower", "0 1 (-) ^ ", kOverflow},
    {"InfinitePowerReachesOperator", "10 400 ^ 0 * ", kOverflow},
    {"InfinitePowerReachesFunction", "10 400 ^ ATAN ", kOverflow},
};
// clang-format on

// sngResult takes the value, the sentinel, or stays as the caller set it.
TEST(Evaluator, GivesTheOutcome) {
    for (const EvaluationCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const Evaluated e = Evaluate(c.postfix);
        EXPECT_EQ(e.outcome, c.outcome);
        EXPECT_EQ(e.result, c.outcome == kValue    ? c.value
                            : c.outcome == kCannot ? kCannotCalculateSentinel
                                                   : kUntouched);
    }
}

TEST(Evaluator, TakesAngleModeAndVariableFromTheCallerAndStartsEmpty) {
    EXPECT_EQ(Evaluate("30 SIN ", true).result, 0.5f);
    EXPECT_EQ(Evaluate("XX 2 * ", false, 2.5f).result, 5.0f);
    EXPECT_EQ(Evaluate("XX (-) ", false, 0.1f).result, -0.1f);
    EXPECT_EQ(Evaluate("1 2 ").result, 2.0f);
    EXPECT_EQ(Evaluate("+ ").outcome, kPopEmpty);
}

} // namespace
} // namespace tallix
