#include "engine/NIModule.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace tallix {
namespace {

const std::string kAccepted =
    "-1234567890.+*/^()abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

const std::string kWithNul("1\0002", 3);

// Name, text, accepted, and the normalised text when accepted.
const std::tuple<const char*, std::string, bool, std::string> kValidateCases[] = {
    {"EveryAcceptedCharacterKept", kAccepted, true, kAccepted},
    {"SpacesDroppedNoSyntaxCheck", " ((+ 3,5", true, "((+3.5"},
    {"EmptyTextBecomesZero", "", true, "0"},
    {"OneSpaceBecomesZero", " ", true, "0"},
    {"TwoSpacesBecomeEmpty", "  ", true, ""},
    {"RefusedAfterGoodText", "2=3", false, ""},
    {"RefusedBeforeOneSpace", "= ", false, ""},
    {"TabRefused", "1\t+2", false, ""},
    {"NulRefused", kWithNul, false, ""},
    {"NonAsciiByteRefused", "2\xC3\xA9", false, ""},
};

TEST(NIModule, ValidateExpressionAcceptsOrRefusesAndNormalises) {
    for (const auto& [name, typed, accepted, normalised] : kValidateCases) {
        std::string output = "left over";
        EXPECT_EQ(NIModule::ValidateExpression(typed, output), accepted) << name;
        if (accepted) {
            EXPECT_EQ(output, normalised) << name;
        }
    }
}

// Name, text, rewritten text.
const std::tuple<const char*, const char*, const char*> kMultiplyCases[] = {
    // A digit or ")" before a letter or "(".
    {"NumberAndGroups", "2(3+x)(x-1)", "2*(3+x)*(x-1)"},
    {"GroupBeforeFunction", "(x+1)sin(x)", "(x+1)*sin(x)"},
    // ")" before a number part.
    {"GroupBeforeNumberParts", "(1)2+(1),5", "(1)*2+(1)*,5"},
    // A single letter that starts an operand, or the i of pi, before a number
    // part or "(".
    {"LetterAtStartAndAfterDigits", "x(2)+3x2x", "x*(2)+3*x*2*x"},
    {"LetterAfterOpenAndOperators", "(x2-y.5", "(x*2-y*.5"},
    {"PiInEitherCase", "pi(2)+PI2", "pi*(2)+PI*2"},
    // The end of a longer name takes no sign.
    {"LetterAfterLetterOrName", "bx2+cos2x+c2", "bx2+cos2*x+c2"},
    // Every set holds the empty text, so the empty text gets one sign.
    {"EmptyTextBecomesSign", "", "*"},
};

TEST(NIModule, InsertImplicitMultiplyRewrites) {
    for (const auto& [name, text, rewritten] : kMultiplyCases) {
        EXPECT_EQ(NIModule::InsertImplicitMultiply(text), rewritten) << name;
    }
}

} // namespace
} // namespace tallix
