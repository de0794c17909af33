#include "ResultText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <ostream>
#include <string>

namespace tallix {
namespace {

struct TextCase {
    const char* name;
    float value;
    const char* separator;
    const char* text;
};

std::ostream& operator<<(std::ostream& os, const TextCase& c) {
    return os << c.name;
}

class ResultTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ResultTextTest, WritesSevenSignificantDigits) {
    EXPECT_EQ(FormatResult(GetParam().value, GetParam().separator), GetParam().text);
}

const TextCase kPlainCases[] = {
    {"WholeNumber",          3.0f,           ".",  "3"           },
    {"NegativeFraction",     -2.5f,          ".",  "-2.5"        },
    {"OneThird",             1.0f / 3.0f,    ".",  "0.3333333"   },
    {"TwoThirdsRoundsUp",    2.0f / 3.0f,    ".",  "0.6666667"   },
    {"SevenIntegerDigits",   1234567.0f,     ".",  "1234567"     },
    {"TrailingZerosDropped", 100.0f,         ".",  "100"         },
    {"SingleNearestTenth",   0.1f,           ".",  "0.1"         },
    {"MixedDigits",          123.456f,       ".",  "123.456"     },
    {"SmallPlainDigits",     0.00012345678f, ".",  "0.0001234568"},
    {"Zero",                 0.0f,           ".",  "0"           },
    {"NegativeZero",         -0.0f,          ".",  "0"           },
    {"CommaSeparator",       2.5f,           ",",  "2,5"         },
    {"LongSeparator",        -0.25f,         "::", "-0::25"      },
};
INSTANTIATE_TEST_SUITE_P(Plain, ResultTextTest, ::testing::ValuesIn(kPlainCases),
                         [](const auto& info) { return std::string(info.param.name); });

const TextCase kExponentCases[] = {
    {"EightIntegerDigits",   12345678.0f,                              ".", "1.234568E+07"},
    {"TenMillion",           10000000.0f,                              ".", "1E+07"       },
    {"OneHundredThousandth", 0.00001f,                                 ".", "1E-05"       },
    {"SmallFraction",        1.5e-20f,                                 ".", "1.5E-20"     },
    {"NegativeSmall",        -1.5e-20f,                                ",", "-1,5E-20"    },
    {"JustBelowPlainRange",  0.000099999f,                             ".", "9.9999E-05"  },
    {"LargestSingle",        std::numeric_limits<float>::max(),        ".", "3.402823E+38"},
    {"SmallestDenormal",     std::numeric_limits<float>::denorm_min(), ".", "1.401298E-45"},
};
INSTANTIATE_TEST_SUITE_P(Exponent, ResultTextTest, ::testing::ValuesIn(kExponentCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The notation follows the exponent of the rounded value, so a carry into a
// new decade can change it. 9999999.5 is no single: it is stored as
// 10000000. The single nearest 0.00009999995 lies below it and keeps its
// exponent; 0.0001 is stored as 9.99999975e-5, whose digits carry.
const TextCase kCarryCases[] = {
    {"NineMillionsAndAHalf",        9999999.5f,     ".", "1E+07"       },
    {"LargestSevenDigitInteger",    9999999.0f,     ".", "9999999"     },
    {"CarryIntoTenMillion",         10000004.0f,    ".", "1E+07"       },
    {"NoCarryBelowAMillion",        999999.9375f,   ".", "999999.9"    },
    {"CarryIntoAMillion",           999999.96875f,  ".", "1000000"     },
    {"NearestToNinesStaysExponent", 0.00009999995f, ".", "9.999995E-05"},
    {"CarryIntoPlainRange",         0.0001f,        ".", "0.0001"      },
};
INSTANTIATE_TEST_SUITE_P(Carry, ResultTextTest, ::testing::ValuesIn(kCarryCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResultText, NonFiniteValuesAreWrittenWithoutFault) {
    EXPECT_EQ(FormatResult(std::numeric_limits<float>::infinity(), "."), "inf");
    EXPECT_EQ(FormatResult(-std::numeric_limits<float>::infinity(), "."), "-inf");
    EXPECT_EQ(FormatResult(std::numeric_limits<float>::quiet_NaN(), "."), "nan");
}

// The rule is C's "%.7g" with a capital E: seven significant digits rounded
// from the exact value, plain for decimal exponents -4 to 6, trailing zeros
// dropped, two exponent digits at least. A sweep over the whole single range,
// both signs, checks the quick rounding against it.
TEST(ResultText, AgreesWithSevenDigitPrintfAcrossTheSingleRange) {
    int mismatches = 0;
    for (std::uint32_t bits = 1; bits < 0x7f800000u && mismatches < 10; bits += 9973) {
        const float value = std::bit_cast<float>(bits | (bits % 2 == 0 ? 0x80000000u : 0u));
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.7g", static_cast<double>(value));
        std::string reference = expected;
        std::replace(reference.begin(), reference.end(), 'e', 'E');
        const std::string text = FormatResult(value, ".");
        mismatches += text == reference ? 0 : 1;
        EXPECT_EQ(text, reference) << std::hexfloat << value;
    }
}

} // namespace
} // namespace tallix
