#include "engine/NIModule.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <string>

namespace tallix {
namespace {

const std::string kAccepted =
    "-1234567890.+*/^()abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
const char* const kRefused = "#"; // never a normalised text

// A text through the steps of the preparation: the normalised text (or
// kRefused; none: the text goes to the second step as it is) and, when
// given, the text with its implicit signs.
struct PreparationCase {
    const char* name;
    std::string typed;
    const char *normalised, *multiplied = nullptr;
};

// clang-format off
const PreparationCase kCases[] = {
    {"EveryAcceptedCharacterKept", kAccepted, kAccepted.c_str()},
    {"SpacesDroppedNoSyntaxCheck", " ((+ 3,5", "((+3.5"},
    {"EmptyTextBecomesZero", "", "0"},
    {"OneSpaceBecomesZero", " ", "0"},
    // Every set of the multiplication holds the empty text, so it gets one sign.
    {"TwoSpacesBecomeEmptyThenASign", "  ", "", "*"},
    {"RefusedAfterGoodText", "2=3", kRefused},
    {"RefusedBeforeOneSpace", "= ", kRefused},
    {"TabRefused", "1\t+2", kRefused},
    {"NulRefused", std::string("1\0002", 3), kRefused},
    {"NonAsciiByteRefused", "2\xC3\xA9", kRefused},
    // A digit or ")" before a letter or "(".
    {"NumberAndGroups", "2(3+x)(x-1)", nullptr, "2*(3+x)*(x-1)"},
    {"GroupBeforeFunction", "(x+1)sin(x)", nullptr, "(x+1)*sin(x)"},
    // ")" before a number part.
    {"GroupBeforeNumberParts", "(1)2+(1),5", nullptr, "(1)*2+(1)*,5"},
    // A single letter that starts an operand, or the i of pi, before a number
    // part or "(".
    {"LetterAtStartAndAfterDigits", "x(2)+3x2x", nullptr, "x*(2)+3*x*2*x"},
    {"LetterAfterOpenAndOperators", "(x2-y.5", nullptr, "(x*2-y*.5"},
    {"PiInEitherCase", "pi(2)+PI2", nullptr, "pi*(2)+PI*2"},
    // The end of a longer name takes no sign.
    {"LetterAfterLetterOrName", "bx2+cos2x+c2", nullptr, "bx2+cos2*x+c2"},
};
// clang-format on

class Preparation : public ::testing::TestWithParam<PreparationCase> {};

TEST_P(Preparation, ValidatesThenInsertsImplicitMultiply) {
    const PreparationCase& c = GetParam();
    if (c.normalised) {
        std::string output = "left over";
        const bool accepted = NIModule::ValidateExpression(c.typed, output);
        ASSERT_EQ(accepted, c.normalised != kRefused);
        if (accepted) {
            EXPECT_EQ(output, c.normalised);
        }
    }
    if (c.multiplied) {
        EXPECT_EQ(NIModule::InsertImplicitMultiply(c.normalised ? c.normalised : c.typed),
                  c.multiplied);
    }
}

INSTANTIATE_TEST_SUITE_P(NIModule, Preparation, ::testing::ValuesIn(kCases), testing::RowName{});

} // namespace
} // namespace tallix
