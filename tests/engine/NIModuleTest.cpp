#include "NIModule.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tallix {
namespace {

struct ValidateCase {
    const char* name;
    std::string input;
    bool accepted;
    std::string output; // compared only when accepted
};

std::ostream& operator<<(std::ostream& os, const ValidateCase& c) {
    return os << c.name;
}

class ValidateExpressionTest : public ::testing::TestWithParam<ValidateCase> {};

TEST_P(ValidateExpressionTest, AcceptsOrRefusesAndNormalises) {
    const ValidateCase& c = GetParam();
    const std::string typed = c.input;
    std::string output = "left over";
    EXPECT_EQ(NIModule::ValidateExpression(typed, output), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(output, c.output);
    }
    EXPECT_EQ(typed, c.input);
}

const ValidateCase kValidateCases[] = {
    {"SpacesDroppedCommaBecomesPoint", "2 + 3,5",                              true,  "2+3.5"                                   },
    {"EveryAcceptedCharacterKept",
     "-1234567890.+*/^()abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", true,
     "-1234567890.+*/^()abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"                                                   },
    {"EmptyTextBecomesZero",           "",                                     true,  "0"                                       },
    {"OneSpaceBecomesZero",            " ",                                    true,  "0"                                       },
    {"TwoSpacesBecomeEmpty",           "  ",                                   true,  ""                                        },
    {"LoneCommaBecomesPoint",          ",",                                    true,  "."                                       },
    {"SyntaxIsNotChecked",             "((+,",                                 true,  "((+."                                    },
    {"EqualsSignRefused",              "2=3",                                  false, ""                                        },
    {"UnderscoreRefused",              "x_1",                                  false, ""                                        },
    {"TabRefused",                     "1\t+2",                                false, ""                                        },
    {"HashRefusedAfterGoodText",       "3#",                                   false, ""                                        },
    {"NulRefused",
     std::string("1\0"
                 "2",                                                          3),
     false,                                                                                                                       ""},
    {"NonAsciiLetterRefused",                                "2\xC3\xA9",                                                false,           ""},
    {"SpaceAfterRefusedCharStillRefused",                                "= ",                                    false,      ""       },
};

INSTANTIATE_TEST_SUITE_P(Cases, ValidateExpressionTest, ::testing::ValuesIn(kValidateCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct MultiplyCase {
    const char* name;
    std::string input;
    std::string output;
};

std::ostream& operator<<(std::ostream& os, const MultiplyCase& c) {
    return os << c.name;
}

class InsertImplicitMultiplyTest : public ::testing::TestWithParam<MultiplyCase> {};

TEST_P(InsertImplicitMultiplyTest, Rewrites) {
    EXPECT_EQ(NIModule::InsertImplicitMultiply(GetParam().input), GetParam().output);
}

const MultiplyCase kMultiplyCases[] = {
  // A number or ")" before a letter or "(".
    {"NumberBeforeLetter",                     "2x",          "2*x"          },
    {"NumberAndGroups",                        "2(3+x)(x-1)", "2*(3+x)*(x-1)"},
    {"NumberBeforeName",                       "2pi",         "2*pi"         },
    {"GroupBeforeFunction",                    "(x+1)sin(x)", "(x+1)*sin(x)" },
 // ")" before a number part.
    {"GroupBeforeNumber",                      "(x+1)2",      "(x+1)*2"      },
    {"GroupBeforePoint",                       "(1).5",       "(1)*.5"       },
    {"GroupBeforeComma",                       "(1),5",       "(1)*,5"       },
 // A single letter before a number part or "(".
    {"LetterFirstBeforeNumber",                "x2",          "x*2"          },
    {"LetterFirstBeforeGroup",                 "x(2)",        "x*(2)"        },
    {"PiBeforeGroup",                          "pi(2)",       "pi*(2)"       },
    {"PiBeforeNumber",                         "pi2",         "pi*2"         },
    {"UpperPiBeforeNumber",                    "PI2",         "PI*2"         },
    {"LetterAfterOperatorBeforeNumber",        "1+x2",        "1+x*2"        },
    {"LetterBetweenNumbers",                   "3x2",         "3*x*2"        },
    {"LetterAfterOpenBeforeNumber",            "(x2",         "(x*2"         },
    {"RepeatedProducts",                       "2x2x",        "2*x*2*x"      },
 // The end of a longer name takes no sign.
    {"FunctionCallUnchanged",                  "sin(x)",      "sin(x)"       },
    {"DigitAfterFunctionNameLeftToTranslator", "cos2x",       "cos2*x"       },
    {"LetterOutsideSingleLetterSet",           "c2",          "c2"           },
    {"TwoLettersAreOneName",                   "xy",          "xy"           },
    {"NothingBetweenNumbers",                  "1.5+2",       "1.5+2"        },
    {"SingleCharacterUnchanged",               "x",           "x"            },
    {"SingleParenthesisUnchanged",             ")",           ")"            },
 // Every set holds the empty text, so the empty text gets one sign.
    {"EmptyTextBecomesSign",                   "",            "*"            },
};

INSTANTIATE_TEST_SUITE_P(Cases, InsertImplicitMultiplyTest, ::testing::ValuesIn(kMultiplyCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tallix
