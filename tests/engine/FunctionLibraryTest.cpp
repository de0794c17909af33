#include "engine/FunctionLibrary.h"
#include "engine/EngineError.h"
#include "engine/ResultText.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace tallix {
namespace {

const std::string kNoValue = "cannot calculate";
const std::string kOverflow = "Overflow";

const LibraryFunction& Function(std::string_view name) {
    const LibraryFunction* function = FindFunction(name);
    EXPECT_NE(function, nullptr) << name;
    return *function;
}

// What the user would see for one function call: the result text, the
// cannot-calculate outcome, or the failure's description.
std::string Shown(std::string_view name, double x, bool degree) {
    try {
        const FunctionOutcome outcome = ApplyFunction(Function(name), x, degree);
        return outcome ? FormatResult(static_cast<float>(ToDouble(*outcome)), ".") : kNoValue;
    } catch (const EngineError& error) {
        return error.Description();
    }
}

// An argument and what it shows, in both angle modes unless only in degrees.
struct Call {
    double x;
    std::string shown;
    bool degreesOnly = false;
};
constexpr bool kDegrees = true;

struct FunctionCase {
    const char* name;
    std::vector<Call> calls;
};

// Degrees become x * 3.1415926 / 180, so no multiple of 90 lands exactly on
// a zero or a pole, and TAN has no guard. The other functions ignore the
// angle mode. Hyperbolic functions overflow only where the value leaves the
// double range; their values are checked against references below.
// clang-format off
const FunctionCase kCases[] = {
    {"SIN", {{180, "5.358979E-08", kDegrees}, {1e308, kOverflow, kDegrees}}},
    {"COS", {{90, "2.67949E-08", kDegrees}}},
    {"TAN", {{90, "3.732054E+07", kDegrees}}},
    {"SEC", {{90, "3.732054E+07", kDegrees}}},
    {"CSEC", {{180, "1.866027E+07", kDegrees}, {0, kNoValue}, {1e-310, kOverflow}}},
    {"CTAN", {{90, "2.67949E-08", kDegrees}, {0, kNoValue}}},
    {"LOG", {{0, kNoValue}, {4.9406564584124654e-324, "-744.4401"}}},
    {"EXP", {{1, "2.718282"}, {-1000, "0"}, {710, kOverflow}}},
    {"ABS", {{-3, "3"}}},
    {"ATAN", {{1, "0.7853982"}}},
    {"INT", {{-2.5, "-3"}}},
    {"SQR", {{-4, kNoValue}, {0, "0"}}},
    {"ASIN", {{1, "1.570796"}, {-1, "-1.570796"}, {0.5, "0.5235988"}, {1.0000001, kNoValue},
              {1e200, kOverflow}}},
    {"ACOS", {{-1, "3.141593"}, {1, "0"}, {0.5, "1.047198"}, {-1.0000001, kNoValue}}},
    {"ASEC", {{-2, "2.094395"}, {1.0000001, "0.0004472136"}, {1, kNoValue}, {0.5, kNoValue}}},
    {"ACSEC", {{-2, "-0.5235988"}, {1.2, "0.9851108"}, {1, kNoValue}, {0, kNoValue}}},
    {"ACTAN", {{-1, "2.356194"}, {0, "1.570796"}}},
    {"SINH", {{1000, kOverflow}, {-1000, kOverflow}}},
    {"COSH", {{1000, kOverflow}}},
    {"CTANH", {{1e-310, kOverflow}}},
};
// clang-format on

class FunctionOutcomes : public ::testing::TestWithParam<FunctionCase> {};

TEST_P(FunctionOutcomes, AreShownAsExpected) {
    for (const Call& call : GetParam().calls) {
        for (const bool degrees : {true, false}) {
            if (degrees || !call.degreesOnly) {
                EXPECT_EQ(Shown(GetParam().name, call.x, degrees), call.shown)
                    << call.x << (degrees ? " degrees" : " radians");
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FunctionLibrary, FunctionOutcomes, ::testing::ValuesIn(kCases),
                         testing::RowName{});

// The other tests look up each of the thirty names; nothing else is found.
TEST(FunctionLibrary, FindsNothingButTheThirtyNames) {
    for (std::string_view other : {"sin", "SI", "SINHX", "", "XX", "(-)", "PI"}) {
        EXPECT_EQ(FindFunction(other), nullptr) << other;
    }
    for (std::string_view other : {"si", "sinhx", "acsechx", "", "pi", "x", "s_n", "sin_"}) {
        EXPECT_EQ(FindFunctionIgnoringCase(other), nullptr) << other;
    }
}

// ACOS and ASIN at the ends of their domain, and RND: single draws below 1
// whatever the operand or mode, each a new one.
TEST(FunctionLibrary, SpecialValuesKeepTheirTags) {
    EXPECT_EQ(std::get<std::int16_t>(*ApplyFunction(Function("ACOS"), 1, false)), 0);
    EXPECT_EQ(std::get<double>(*ApplyFunction(Function("ACOS"), -1, false)), 3.1415926);
    EXPECT_EQ(std::get<double>(*ApplyFunction(Function("ASIN"), 1, false)), 3.1415926 / 2);
    std::set<float> draws;
    for (int i = 0; i < 10000; ++i) {
        const float draw = std::get<float>(*ApplyFunction(Function("RND"), i, i % 2 == 0));
        ASSERT_TRUE(draw >= 0.0f && draw < 1.0f) << draw;
        draws.insert(draw);
    }
    EXPECT_GT(draws.size(), 9990u);
}

// The hyperbolic family against long-double references (the reciprocal
// functions by their defining logarithms, which long double evaluates
// accurately) and their domains.
struct Reference {
    const char* name;
    long double (*value)(long double);
    bool (*defined)(long double);
};

constexpr auto kEverywhere = [](long double) { return true; };
constexpr auto kNotZero = [](long double x) { return x != 0; };
constexpr auto kArcoth = [](long double x) {
    return std::fabs(x) < 2 ? std::log((x + 1) / (x - 1)) / 2 : std::atanh(1 / x);
};

// clang-format off
const Reference kReferences[] = {
    {"SINH", [](long double x) { return std::sinh(x); }, kEverywhere},
    {"COSH", [](long double x) { return std::cosh(x); }, kEverywhere},
    {"TANH", [](long double x) { return std::tanh(x); }, kEverywhere},
    {"CTANH", [](long double x) { return 1 / std::tanh(x); }, kNotZero},
    {"SECH", [](long double x) { return 1 / std::cosh(x); }, kEverywhere},
    {"CSECH", [](long double x) { return 1 / std::sinh(x); }, kNotZero},
    {"ASINH", [](long double x) { return std::asinh(x); }, kEverywhere},
    {"ACOSH", [](long double x) { return std::acosh(x); }, [](long double x) { return x >= 1; }},
    {"ATANH", [](long double x) { return std::atanh(x); }, [](long double x) { return std::fabs(x) < 1; }},
    {"ASECH", [](long double x) { return std::log((1 + std::sqrt(1 - x * x)) / x); },
     [](long double x) { return x > 0 && x <= 1; }},
    {"ACSECH", [](long double x) { return std::asinh(1 / x); }, kNotZero},
    {"ACTANH", kArcoth, [](long double x) { return std::fabs(x) > 1; }},
};
// clang-format on

std::string SevenDigits(long double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6e", static_cast<double>(value));
    return text;
}

// Zero, tiny and huge arguments, and arguments at the ends of the domains,
// where 1/x and 1 - x*x lose the digits that matter.
const double kSweep[] = {0,           1e-300,   1e-12, 0.001, 0.5, 0.9, 0.999999, 1 - 0x1p-53, 1,
                         1 + 0x1p-52, 1.000001, 1.5,   2,     10,  700, 1e8,      1e200};

class Hyperbolic : public ::testing::TestWithParam<Reference> {};

// The seven digits shown match wherever the value is a double; the
// function has no value exactly outside its domain.
TEST_P(Hyperbolic, MatchesLongDoubleReferences) {
    const Reference& reference = GetParam();
    for (double magnitude : kSweep) {
        for (double x : {magnitude, -magnitude}) {
            const bool defined = reference.defined(x);
            const long double expected = reference.value(x);
            if (defined && std::isinf(static_cast<double>(expected))) {
                continue;
            }
            const FunctionOutcome outcome = ApplyFunction(Function(reference.name), x, false);
            EXPECT_EQ(outcome ? SevenDigits(ToDouble(*outcome)) : kNoValue,
                      defined ? SevenDigits(expected) : kNoValue)
                << x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FunctionLibrary, Hyperbolic, ::testing::ValuesIn(kReferences),
                         testing::RowName{});

} // namespace
} // namespace tallix
