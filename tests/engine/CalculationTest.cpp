#include "Calculation.h"
#include "EngineError.h"
#include "RecordingMessageService.h"
#include "ResultText.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tallix {
namespace {

using tallix::testing::RecordingMessageService;
using Kind = CalculationResult::Kind;

// The edit box text after a whole Calculate command, as the window shows it.
struct Shown {
    std::string text;
    std::vector<RecordingMessageService::Message> messages;
};

Shown Calculate(std::string_view typed, bool degree) {
    RecordingMessageService messages;
    const std::optional<std::string> prepared = PrepareExpression(typed, messages);
    if (!prepared) {
        return {std::string(typed), messages.messages};
    }
    const CalculationResult result = CalculatePrepared(*prepared, degree, messages);
    switch (result.kind) {
    case Kind::Value:
        return {FormatResult(result.value, "."), messages.messages};
    case Kind::CannotCalculate:
        return {std::string(kCannotCalculateText), messages.messages};
    case Kind::Failure:
        return {"failure: " + result.errorDescription, messages.messages};
    case Kind::SyntaxError:
    case Kind::NoResult:
        break;
    }
    return {*prepared, messages.messages};
}

struct CalculationCase {
    const char* name;
    const char* typed;
    bool degree;
    const char* shown;
};

std::ostream& operator<<(std::ostream& os, const CalculationCase& c) {
    return os << c.name;
}

class CalculatesTest : public ::testing::TestWithParam<CalculationCase> {};

TEST_P(CalculatesTest, ShowsTheResultWithoutAnyBox) {
    const Shown shown = Calculate(GetParam().typed, GetParam().degree);
    EXPECT_EQ(shown.text, GetParam().shown);
    EXPECT_TRUE(shown.messages.empty());
}

const CalculationCase kCalculationCases[] = {
    {"Sum",                      "1+2",               false, "3"                               },
    {"Power",                    "2^10",              false, "1024"                            },
    {"OneThird",                 "1/3",               false, "0.3333333"                       },
    {"EmptyTextIsZero",          "",                  false, "0"                               },
    {"CommaIsDecimalPoint",      "2,5*2",             false, "5"                               },
    {"SpacesDropped",            "1 + 2",             false, "3"                               },
    {"VariableIsOne",            "x",                 false, "1"                               },
    {"ImplicitProduct",          "2x",                false, "2"                               },
    {"SineInRadians",            "sin(90)",           false, "0.8939967"                       },
    {"SineInDegrees",            "sin(90)",           true,  "1"                               },
    {"ImplicitProductInDegrees", "2sin(30)",          true,  "1"                               },
    {"DivisionByZero",           "1/0",               false, "Can not calculate the expression"},
    {"RootOfNegative",           "sqr(-1)",           false, "Can not calculate the expression"},
    {"GenuineSentinelValue",     "-0.12345",          false, "-0.12345"                        },
    {"AsinhOfLargeNegative",     "asinh(-100000000)", false, "-19.11383"                       },
    {"ExponentNotation",         "12345678",          false, "1.234568E+07"                    },
    {"BeyondSingleRange",        "10^39",             false, "failure: Overflow"               },
    {"BeyondDoubleRange",        "10^200*10^200",     false, "failure: Overflow"               },
};
INSTANTIATE_TEST_SUITE_P(Calculate, CalculatesTest, ::testing::ValuesIn(kCalculationCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Calculation, IllegalTextShowsTheWarningAndKeepsTheText) {
    const Shown shown = Calculate("2=2", false);
    EXPECT_EQ(shown.text, "2=2");
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].prompt, "The expression is illegal.");
    EXPECT_EQ(shown.messages[0].title, "Error");
    EXPECT_EQ(shown.messages[0].icon, MessageIcon::Warning);
}

TEST(Calculation, PreparedTextIsNormalised) {
    RecordingMessageService messages;
    EXPECT_EQ(PrepareExpression("2,5 * 2", messages), "2.5*2");
    EXPECT_TRUE(messages.messages.empty());
}

TEST(Calculation, SyntaxErrorKeepsThePreparedTextAfterTheTranslatorsBox) {
    const Shown shown = Calculate("1+", false);
    EXPECT_EQ(shown.text, "1+");
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].prompt, "Character 2:  Operand expected");
    EXPECT_EQ(shown.messages[0].title, "Syntax Error");
}

TEST(Calculation, FailureCarriesTheEngineNumber) {
    RecordingMessageService messages;
    const CalculationResult result = CalculatePrepared("10^39", false, messages);
    EXPECT_EQ(result.kind, Kind::Failure);
    EXPECT_EQ(result.errorNumber, ErrorNumber::Overflow);
}

TEST(Calculation, RandomValuesRunOnAcrossCalculations) {
    RecordingMessageService messages;
    const CalculationResult first = CalculatePrepared("rnd(1)", false, messages);
    const CalculationResult second = CalculatePrepared("rnd(1)", false, messages);
    ASSERT_EQ(first.kind, Kind::Value);
    ASSERT_EQ(second.kind, Kind::Value);
    EXPECT_NE(first.value, second.value);
}

} // namespace
} // namespace tallix
