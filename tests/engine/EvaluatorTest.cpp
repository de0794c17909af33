#include "Cls6.h"
#include "EngineError.h"
#include "RecordingMessageService.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace tallix {
namespace {

using tallix::testing::RecordingMessageService;

// sngResult starts at a value no row produces, so "untouched" is visible.
constexpr float kUntouched = 42.0f;

struct Evaluated {
    EvalOutcome outcome;
    float result;
};

Evaluated Evaluate(std::string postfix, bool degree = false, float x = 1.0f) {
    RecordingMessageService messages;
    Cls6 cls6(messages);
    float result = kUntouched;
    float unused[7] = {};
    const EvalStatus status =
        cls6.DoEvaluate(postfix, degree, result, unused[0], unused[1], x, unused[2], unused[3],
                        unused[4], unused[5], unused[6]);
    EXPECT_TRUE(messages.messages.empty());
    return {status.outcome, result};
}

struct ValueCase {
    const char* name;
    std::string postfix;
    float expected;
};

std::ostream& operator<<(std::ostream& os, const ValueCase& c) {
    return os << c.name;
}

class EvaluatesTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(EvaluatesTest, GivesTheValueRoundedToSingle) {
    const Evaluated e = Evaluate(GetParam().postfix);
    EXPECT_EQ(e.outcome, EvalOutcome::Value);
    EXPECT_EQ(e.result, GetParam().expected);
}

const ValueCase kValueCases[] = {
    {"Sum",                        "1 2 + ",               3.0f           },
    {"DifferenceIsLeftMinusRight", "7 2 - ",               5.0f           },
    {"QuotientIsLeftOverRight",    "7 2 / ",               3.5f           },
    {"Product",                    "6 7 * ",               42.0f          },
    {"Power",                      "2 3 ^ ",               8.0f           },
    {"PowerGroupsAsWritten",       "2 3 ^ 2 ^ ",           64.0f          },
    {"ZeroToTheZeroIsOne",         "0 0 ^ ",               1.0f           },
    {"NegativeBaseWholePower",     "2 (-) 3 ^ ",           -8.0f          },
    {"NegativeExponent",           "2 1 (-) ^ ",           0.5f           },
    {"UnderflowingPowerIsZero",    "10 400 (-) ^ ",        0.0f           },
    {"UnaryMinus",                 "2 (-) (-) (-) ",       -2.0f          },
    {"NegatedZeroPower",           "5 0 ^ (-) ",           -1.0f          },
    {"Variable",                   "XX ",                  1.0f           },
    {"VariableTwice",              "XX XX + ",             2.0f           },
    {"OnlyTheTopIsTaken",          "1 2 ",                 2.0f           },
    {"TextAfterLastSpaceIgnored",  "1 2 + 3",              3.0f           },
    {"GenuineSentinelValue",       "0.12345 (-) ",         -0.12345f      },
    {"CommaEndsTheNumber",         "1,5 ",                 1.0f           },
    {"LeadingCommaReadsZero",      ",5 ",                  0.0f           },
    {"LeadingPoint",               ".5 ",                  0.5f           },
    {"TrailingPoint",              "5. ",                  5.0f           },
    {"SecondPointEndsTheNumber",   "1.2.3 ",               1.2f           },
    {"NoExponentNotation",         "1e5 ",                 1.0f           },
    {"DigitsBelowDoubleRange",     "0." + std::string(400, '0') + "1 ",     0.0f},
    {"FunctionName",                            "0 COS ",                                     1.0f                },
    {"FunctionInExpression",                            "2 0 EXP * 1 + ",                             3.0f},
    {"LargestSingle",                            "3.4028235 10 38 ^ * ",                                    3.4028235e38f                 },
};
INSTANTIATE_TEST_SUITE_P(Postfix, EvaluatesTest, ::testing::ValuesIn(kValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

class CannotCalculateTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(CannotCalculateTest, WritesTheSentinelAndSaysSo) {
    const Evaluated e = Evaluate(GetParam().postfix);
    EXPECT_EQ(e.outcome, EvalOutcome::CannotCalculate);
    EXPECT_EQ(e.result, kCannotCalculateSentinel);
}

const ValueCase kCannotCalculateCases[] = {
    {"DivisionByZero",              "5 0 / ",         0},
    {"DivisionByNegativeZero",      "5 0 (-) / ",     0},
    {"ZeroOverZero",                "0 0 / ",         0},
    {"NegativeBaseFractionalPower", "2 (-) 0.5 ^ ",   0},
    {"FunctionGuard",               "1 (-) SQR ",     0},
    {"StopsAtOnce",                 "5 0 / FOO 1 + ", 0},
    {"InsideAnExpression",          "1 2 0 LOG * + ", 0},
};
INSTANTIATE_TEST_SUITE_P(Postfix, CannotCalculateTest, ::testing::ValuesIn(kCannotCalculateCases),
                         [](const auto& info) { return std::string(info.param.name); });

class NoTokenTest : public ::testing::TestWithParam<const char*> {};

TEST_P(NoTokenTest, ReturnsFalseAndLeavesTheResult) {
    const Evaluated e = Evaluate(GetParam());
    EXPECT_EQ(e.outcome, EvalOutcome::NoToken);
    EXPECT_FALSE(EvalStatus{e.outcome});
    EXPECT_EQ(e.result, kUntouched);
}

INSTANTIATE_TEST_SUITE_P(Postfix, NoTokenTest, ::testing::Values("", "1", "1+2"));

struct FailureCase {
    const char* name;
    std::string postfix;
    std::int32_t number;
    std::string description;
};

std::ostream& operator<<(std::ostream& os, const FailureCase& c) {
    return os << c.name;
}

class FailsTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailsTest, RaisesNumberAndDescriptionAndLeavesTheResult) {
    RecordingMessageService messages;
    Cls6 cls6(messages);
    std::string postfix = GetParam().postfix;
    bool degree = false;
    float result = kUntouched;
    float x = 1.0f;
    float unused[7] = {};
    try {
        cls6.DoEvaluate(postfix, degree, result, unused[0], unused[1], x, unused[2], unused[3],
                        unused[4], unused[5], unused[6]);
        ADD_FAILURE() << "no failure raised";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.Number(), GetParam().number);
        EXPECT_EQ(error.Description(), GetParam().description);
    }
    EXPECT_EQ(result, kUntouched);
    EXPECT_TRUE(messages.messages.empty());
}

constexpr std::int32_t kBadToken = -2147220502;
constexpr std::int32_t kPopEmpty = -2147220493;
const std::string kPopEmptyText = "Pop method invoked on empty stack";

const FailureCase kFailureCases[] = {
    {"LowerCaseFunction",            "1 sin ",                   kBadToken,             "Bad token in Evaluate: sin"           },
    {"UnknownName",                  "FOO ",                     kBadToken,             "Bad token in Evaluate: FOO"           },
    {"EmptyToken",                   "1  ",                      kBadToken,             "Bad token in Evaluate: "              },
    {"SignedNumberIsNoNumber",       "+1 ",                      kBadToken,             "Bad token in Evaluate: +1"            },
    {"OperatorMissesLeft",           "1 + ",                     kPopEmpty,             kPopEmptyText                          },
    {"OperatorMissesBoth",           "* ",                       kPopEmpty,             kPopEmptyText                          },
    {"UnaryMinusMissesValue",        "(-) ",                     kPopEmpty,             kPopEmptyText                          },
    {"FunctionMissesValue",          "SIN ",                     kPopEmpty,             kPopEmptyText                          },
    {"SingleRangeExceeded",          "10 39 ^ ",                 ErrorNumber::Overflow, "Overflow"                             },
    {"SingleRangeNegative",          "4 (-) 10 38 ^ * ",         ErrorNumber::Overflow, "Overflow"                             },
    {"ProductBeyondDouble",          "10 200 ^ 10 200 ^ * ",     ErrorNumber::Overflow, "Overflow"                             },
    {"SumBeyondDouble",              "10 308 ^ 10 308 ^ + ",     ErrorNumber::Overflow, "Overflow"                             },
    {"DifferenceBeyondDouble",       "10 308 ^ (-) 10 308 ^ - ", ErrorNumber::Overflow, "Overflow"                             },
    {"QuotientBeyondDouble",         "10 308 ^ 0.01 / ",         ErrorNumber::Overflow, "Overflow"                             },
    {"InfinitePowerReachesOperator", "10 400 ^ 0 * ",            ErrorNumber::Overflow, "Overflow"                             },
    {"InfinitePowerReachesFunction", "10 400 ^ ATAN ",           ErrorNumber::Overflow, "Overflow"                             },
    {"ZeroToANegativePower",         "0 1 (-) ^ ",               ErrorNumber::Overflow, "Overflow"                             },
    {"DigitsBeyondDoubleRange",      std::string(400,            '9') + " ",            ErrorNumber::Overflow,                   "Overflow"},
    {"FunctionOverflow",                              "710 EXP ",                                       ErrorNumber::Overflow,                     "Overflow"},
};
INSTANTIATE_TEST_SUITE_P(Postfix, FailsTest, ::testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Evaluator, AngleModeReachesTheFunctions) {
    EXPECT_EQ(Evaluate("30 SIN ", true).result, 0.5f);
    EXPECT_EQ(Evaluate("30 SIN ", false).result, static_cast<float>(-0.98803162409286178));
    EXPECT_EQ(Evaluate("1 ATAN ", true).result, Evaluate("1 ATAN ", false).result);
}

TEST(Evaluator, VariableTakesTheGivenValue) {
    EXPECT_EQ(Evaluate("XX 2 * ", false, 2.5f).result, 5.0f);
    EXPECT_EQ(Evaluate("XX (-) ", false, 0.1f).result, -0.1f);
}

TEST(Evaluator, EveryCallStartsWithAnEmptyStack) {
    RecordingMessageService messages;
    Cls6 cls6(messages);
    std::string first = "1 2 ";
    std::string second = "+ ";
    bool degree = false;
    float result = 0.0f;
    float x = 1.0f;
    float unused[7] = {};
    cls6.DoEvaluate(first, degree, result, unused[0], unused[1], x, unused[2], unused[3], unused[4],
                    unused[5], unused[6]);
    EXPECT_THROW(cls6.DoEvaluate(second, degree, result, unused[0], unused[1], x, unused[2],
                                 unused[3], unused[4], unused[5], unused[6]),
                 EngineError);
    EXPECT_EQ(result, 2.0f);
}

TEST(Evaluator, DeepStacksEvaluate) {
    std::string postfix;
    for (int i = 0; i < 1000; ++i) {
        postfix += "1 ";
    }
    for (int i = 1; i < 1000; ++i) {
        postfix += "+ ";
    }
    EXPECT_EQ(Evaluate(postfix).result, 1000.0f);
}

} // namespace
} // namespace tallix
