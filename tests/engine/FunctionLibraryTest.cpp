#include "engine/FunctionLibrary.h"
#include "engine/EngineError.h"
#include "engine/ResultText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tallix {
namespace {

const std::string kNoValue = "cannot calculate";

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

enum class Mode { Radians, Degrees, Both };

// One function in one angle mode: arguments and what each shows.
struct FunctionCase {
    const char* function;
    Mode mode;
    std::vector<std::pair<double, std::string>> shown;
};

const std::string kOverflow = "Overflow";

// Rows laid out by hand, one function and mode each.
// clang-format off
const FunctionCase kCases[] = {
    // Degrees become x * 3.1415926 / 180, so no multiple of 90 lands exactly
    // on a zero or a pole, and TAN has no guard.
    {"SIN", Mode::Degrees, {{180, "5.358979E-08"}, {1e308, kOverflow}}},
    {"COS", Mode::Degrees, {{90, "2.67949E-08"}}},
    {"TAN", Mode::Degrees, {{90, "3.732054E+07"}}},
    {"SEC", Mode::Degrees, {{90, "3.732054E+07"}}},
    {"CSEC", Mode::Degrees, {{180, "1.866027E+07"}}},
    {"CTAN", Mode::Degrees, {{90, "2.67949E-08"}}},
    {"CSEC", Mode::Both, {{0, kNoValue}, {1e-310, kOverflow}}},
    {"CTAN", Mode::Both, {{0, kNoValue}}},
    // The other functions ignore the angle mode.
    {"LOG", Mode::Both, {{0, kNoValue}, {4.9406564584124654e-324, "-744.4401"}}},
    {"EXP", Mode::Both, {{1, "2.718282"}, {-1000, "0"}, {710, kOverflow}}},
    {"ABS", Mode::Both, {{-3, "3"}}},
    {"ATAN", Mode::Both, {{1, "0.7853982"}}},
    {"INT", Mode::Both, {{-2.5, "-3"}}},
    {"SQR", Mode::Both, {{-4, kNoValue}, {0, "0"}}},
    {"ASIN", Mode::Both, {{1, "1.570796"}, {-1, "-1.570796"}, {0.5, "0.5235988"},
                          {1.0000001, kNoValue}, {1e200, kOverflow}}},
    {"ACOS", Mode::Both, {{-1, "3.141593"}, {1, "0"}, {0.5, "1.047198"}, {-1.0000001, kNoValue}}},
    {"ASEC", Mode::Both, {{-2, "2.094395"}, {1.0000001, "0.0004472136"}, {1, kNoValue},
                          {0.5, kNoValue}}},
    {"ACSEC", Mode::Both, {{-2, "-0.5235988"}, {1, kNoValue}, {0, kNoValue}}},
    {"ACTAN", Mode::Both, {{-1, "2.356194"}, {0, "1.570796"}}},
    // Hyperbolic functions overflow only where the value leaves the double
    // range; their values are checked against references below.
    {"SINH", Mode::Both, {{1000, kOverflow}, {-1000, kOverflow}}},
    {"COSH", Mode::Both, {{1000, kOverflow}}},
    {"CTANH", Mode::Both, {{1e-310, kOverflow}}},
};
// clang-format on

TEST(FunctionLibrary, ShowsTheExpectedOutcomes) {
    for (const FunctionCase& c : kCases) {
        for (const auto& [x, shown] : c.shown) {
            SCOPED_TRACE(std::string(c.function) + "(" + std::to_string(x) + ")");
            if (c.mode != Mode::Degrees) {
                EXPECT_EQ(Shown(c.function, x, false), shown) << "radians";
            }
            if (c.mode != Mode::Radians) {
                EXPECT_EQ(Shown(c.function, x, true), shown) << "degrees";
            }
        }
    }
}

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
    const char* function;
    long double (*value)(long double);
    bool (*defined)(long double);
};

constexpr auto kEverywhere = [](long double) { return true; };
constexpr auto kNotZero = [](long double x) { return x != 0; };
constexpr auto kAtLeastOne = [](long double x) { return x >= 1; };
constexpr auto kInsideOne = [](long double x) { return std::fabs(x) < 1; };
constexpr auto kOutsideOne = [](long double x) { return std::fabs(x) > 1; };
constexpr auto kUnitInterval = [](long double x) { return x > 0 && x <= 1; };
constexpr auto kArcoth = [](long double x) {
    return std::fabs(x) < 2 ? std::log((x + 1) / (x - 1)) / 2 : std::atanh(1 / x);
};

const Reference kReferences[] = {
    {"SINH", [](long double x) { return std::sinh(x); }, kEverywhere},
    {"COSH", [](long double x) { return std::cosh(x); }, kEverywhere},
    {"TANH", [](long double x) { return std::tanh(x); }, kEverywhere},
    {"CTANH", [](long double x) { return 1 / std::tanh(x); }, kNotZero},
    {"SECH", [](long double x) { return 1 / std::cosh(x); }, kEverywhere},
    {"CSECH", [](long double x) { return 1 / std::sinh(x); }, kNotZero},
    {"ASINH", [](long double x) { return std::asinh(x); }, kEverywhere},
    {"ACOSH", [](long double x) { return std::acosh(x); }, kAtLeastOne},
    {"ATANH", [](long double x) { return std::atanh(x); }, kInsideOne},
    {"ASECH", [](long double x) { return std::log((1 + std::sqrt(1 - x * x)) / x); },
     kUnitInterval},
    {"ACSECH", [](long double x) { return std::asinh(1 / x); }, kNotZero},
    {"ACTANH", kArcoth, kOutsideOne},
};

std::string SevenDigits(long double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6e", static_cast<double>(value));
    return text;
}

// Zero, tiny and huge arguments, and arguments at the ends of the domains,
// where 1/x and 1 - x*x lose the digits that matter.
const double kSweep[] = {0,           1e-300,   1e-12, 0.001, 0.5, 0.9, 0.999999, 1 - 0x1p-53, 1,
                         1 + 0x1p-52, 1.000001, 1.5,   2,     10,  700, 1e8,      1e200};

// The seven digits shown match wherever the value is a double; the
// function has no value exactly outside its domain.
TEST(FunctionLibrary, HyperbolicFamilyMatchesLongDoubleReferences) {
    for (const Reference& reference : kReferences) {
        for (double magnitude : kSweep) {
            for (double x : {magnitude, -magnitude}) {
                const bool defined = reference.defined(x);
                const long double expected = reference.value(x);
                if (defined && std::isinf(static_cast<double>(expected))) {
                    continue;
                }
                const FunctionOutcome outcome =
                    ApplyFunction(Function(reference.function), x, false);
                EXPECT_EQ(outcome ? SevenDigits(ToDouble(*outcome)) : kNoValue,
                          defined ? SevenDigits(expected) : kNoValue)
                    << reference.function << "(" << x << ")";
            }
        }
    }
}

} // namespace
} // namespace tallix
