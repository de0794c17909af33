#include "engine/ResultText.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace tallix {
namespace {

// The notation follows the exponent of the rounded value, so a carry into a
// new decade can change it. 9999999.5 is no single: it is stored as
// 10000000. The single nearest 0.00009999995 lies below it and keeps its
// exponent; 0.0001 is stored as 9.99999975e-5, whose digits carry.
struct ResultCase {
    const char* name;
    float value;
    const char *separator, *text;
};

const ResultCase kCases[] = {
    {"Zero", 0.0f, ".", "0"},
    {"NegativeZero", -0.0f, ".", "0"},
    {"LongSeparator", -0.25f, "::", "-0::25"},
    {"SeparatorInExponentForm", -1.5e-20f, ",", "-1,5E-20"},
    {"NineMillionsAndAHalf", 9999999.5f, ".", "1E+07"},
    {"CarryIntoTenMillion", 10000004.0f, ".", "1E+07"},
    {"NoCarryBelowAMillion", 999999.9375f, ".", "999999.9"},
    {"CarryIntoAMillion", 999999.96875f, ".", "1000000"},
    {"NearestToNinesStaysExponent", 0.00009999995f, ".", "9.999995E-05"},
    {"CarryIntoPlainRange", 0.0001f, ".", "0.0001"},
    {"LargestSingle", std::numeric_limits<float>::max(), ".", "3.402823E+38"},
    {"Infinity", std::numeric_limits<float>::infinity(), ".", "inf"},
    {"NotANumber", std::numeric_limits<float>::quiet_NaN(), ".", "nan"},
};

class ResultText : public ::testing::TestWithParam<ResultCase> {};

TEST_P(ResultText, WritesSevenSignificantDigits) {
    EXPECT_EQ(FormatResult(GetParam().value, GetParam().separator), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, ResultText, ::testing::ValuesIn(kCases), testing::RowName{});

// The rule is C's "%.7g" with a capital E: seven significant digits rounded
// from the exact value, plain for decimal exponents -4 to 6, trailing zeros
// dropped, two exponent digits at least. A sweep over the whole single range,
// both signs, checks the quick rounding against it.
TEST(ResultTextSweep, AgreesWithSevenDigitPrintfAcrossTheSingleRange) {
    for (std::uint32_t bits = 1; bits < 0x7f800000u; bits += 9973) {
        const float value = std::bit_cast<float>(bits | (bits % 2 == 0 ? 0x80000000u : 0u));
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.7g", static_cast<double>(value));
        std::string reference = expected;
        std::replace(reference.begin(), reference.end(), 'e', 'E');
        ASSERT_EQ(FormatResult(value, "."), reference) << std::hexfloat << value;
    }
}

} // namespace
} // namespace tallix
