#include "engine/FunctionLibrary.h"
#include "engine/EngineError.h"
#include "engine/ResultText.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

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
constexpr double kTiniest = 4.9406564584124654e-324; // the smallest double above 0

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
    {"LOG", {{0, kNoValue}, {kTiniest, "-744.4401"}}},
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
    // The hyperbolic family: tiny arguments, where e^x - e^-x and ln(1 + x)
    // cancel; huge ones, where e^x or x*x overflow though the value does not;
    // the ends of the domains, where 1/x and 1 - x*x lose the digits that
    // matter. Values computed to 80 digits, then rounded to a single.
    {"SINH", {{1e-12, "1E-12"}, {-2, "-3.62686"}, {1000, kOverflow}, {-1000, kOverflow}}},
    {"COSH", {{-2, "3.762196"}, {1000, kOverflow}}},
    {"TANH", {{-1e-12, "-1E-12"}, {0.5, "0.4621172"}, {1000, "1"}}},
    {"CTANH", {{0.5, "2.163953"}, {-1000, "-1"}, {0, kNoValue}, {1e-310, kOverflow}}},
    {"SECH", {{1, "0.6480543"}, {1000, "0"}}},
    {"CSECH", {{-1, "-0.8509181"}, {1000, "0"}, {0, kNoValue}}},
    {"ASINH", {{1e-12, "1E-12"}, {2, "1.443635"}, {-1e200, "-461.2102"}}},
    {"ACOSH", {{1, "0"}, {1 + 0x1p-52, "2.107342E-08"}, {1e200, "461.2102"}, {0.999999, kNoValue}}},
    {"ATANH", {{0.5, "0.5493062"}, {1e-12, "1E-12"}, {1 - 0x1p-53, "18.71497"}, {1, kNoValue}, {-1, kNoValue}}},
    {"ASECH", {{1, "0"}, {0.5, "1.316958"}, {1 - 0x1p-53, "1.490116E-08"}, {kTiniest, "745.1332"},
               {0, kNoValue}, {1.0000001, kNoValue}, {-0.5, kNoValue}}},
    {"ACSECH", {{2, "0.4812118"}, {-kTiniest, "-745.1332"}, {0, kNoValue}}},
    {"ACTANH", {{-2, "-0.5493062"}, {1 + 0x1p-52, "18.3684"}, {1, kNoValue}, {-1, kNoValue}, {0.5, kNoValue}}},
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

} // namespace
} // namespace tallix
