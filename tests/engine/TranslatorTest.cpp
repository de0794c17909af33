#include "Cls6.h"
#include "FunctionNames.h"
#include "RecordingMessageService.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

namespace tallix {
namespace {

using tallix::testing::RecordingMessageService;

// The postfix text of space-separated tokens: each token followed by one space.
std::string PostfixText(const std::string& tokens) {
    return tokens.empty() ? "" : tokens + " ";
}

struct Translated {
    std::int32_t result;
    std::string buffer;
};

Translated Translate(const std::string& expression, RecordingMessageService& messages) {
    Cls6 cls6(messages);
    std::string buffer;
    const std::int32_t result = cls6.InfixToPostfix(expression, buffer);
    return {result, buffer};
}

struct PostfixCase {
    const char* name;
    std::string input;
    std::string tokens;
};

std::ostream& operator<<(std::ostream& os, const PostfixCase& c) {
    return os << c.name;
}

class TranslatesTest : public ::testing::TestWithParam<PostfixCase> {};

TEST_P(TranslatesTest, WritesPostfixAndShowsNoBox) {
    RecordingMessageService messages;
    const Translated t = Translate(GetParam().input, messages);
    EXPECT_EQ(t.result, 0);
    EXPECT_EQ(t.buffer, PostfixText(GetParam().tokens));
    EXPECT_TRUE(messages.messages.empty());
}

const PostfixCase kPostfixCases[] = {
    {"EmptyText",                         "",                  ""              },
    {"SpacesOnly",                        "   ",               ""              },
    {"Sum",                               "1+2",               "1 2 +"         },
    {"ProductBeforeSum",                  "1+2*3",             "1 2 3 * +"     },
    {"PowerGroupsLeft",                   "2^3^2",             "2 3 ^ 2 ^"     },
    {"ParenthesesFirst",                  "(1+2)*3",           "1 2 + 3 *"     },
    {"NegatedFactor",                     "2*-3",              "2 3 (-) *"     },
    {"NegatedExponent",                   "2^-1",              "2 1 (-) ^"     },
    {"SignAfterPowerTakesFollowingPower", "2^-3^2",            "2 3 2 ^ (-) ^" },
    {"MinusLooserThanPower",              "-2^2",              "2 2 ^ (-)"     },
    {"MinusTighterThanProduct",           "-2*3",              "2 (-) 3 *"     },
    {"NestedNegations",                   "-(-(1))",           "1 (-) (-)"     },
    {"UnaryPlusWritesNothing",            "+5",                "5"             },
    {"UnaryPlusAfterOperator",            "2*+3",              "2 3 *"         },
    {"PiAndVariableAnyCase",              "Pi*x",              "3.1415926 XX *"},
    {"FunctionThenProduct",               "cos(x)*2",          "XX COS 2 *"    },
    {"NegatedFunction",                   "-sin(x)",           "XX SIN (-)"    },
    {"FunctionWithoutParentheses",        "sin x",             "XX SIN"        },
    {"FunctionOfSignedOperand",           "sin -x",            "XX (-) SIN"    },
    {"FunctionOfFunction",                "sin cos x",         "XX COS SIN"    },
    {"ProductOfFunctionCall",             "2*sin(30)",         "2 30 SIN *"    },
    {"MixedCaseFunction",                 "ASinH(X)",          "XX ASINH"      },
    {"CommaNumberKept",                   "1,5",               "1,5"           },
    {"SeparatorAtEitherEnd",              ".5+5.",             ".5 5. +"       },
    {"ControlCharactersSkipped",          "\t1\x01+\n2\r\x1F", "1 2 +"         },
};

INSTANTIATE_TEST_SUITE_P(Cases, TranslatesTest, ::testing::ValuesIn(kPostfixCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
    const char* name;
    std::string input;
    std::string message;
    std::int32_t position;
    std::string tokensBefore; // what sBuffer holds after the error
};

std::ostream& operator<<(std::ostream& os, const ErrorCase& c) {
    return os << c.name;
}

class SyntaxErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(SyntaxErrorTest, ShowsOneStopBoxAndReturnsNonZero) {
    const ErrorCase& c = GetParam();
    RecordingMessageService messages;
    Cls6 cls6(messages);
    std::string buffer;
    const std::int32_t result = cls6.InfixToPostfix(c.input, buffer);

    EXPECT_NE(result, 0);
    if (c.position != 0) {
        EXPECT_EQ(result, c.position);
    }
    EXPECT_EQ(buffer, PostfixText(c.tokensBefore));
    EXPECT_EQ(cls6.LastError(), c.message);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].title, "Syntax Error");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(messages.messages[0].prompt,
              "Character " + std::to_string(c.position) + ":  " + c.message);
}

const std::string kUnmatched = "Closing parenthesis without matching open parenthesis";

const ErrorCase kErrorCases[] = {
  // Operand expected: a closing parenthesis, an operator or the end where an
  // operand must come.
    {"DoubleMinus",                    "2--3",      "Operand expected",                         2, "2"    },
    {"PlusThenMinus",                  "2+-3",      "Operand expected",                         2, "2"    },
    {"LeadingDoubleMinus",             "--1",       "Operand expected",                         1, ""     },
    {"StarAfterOpen",                  "1+(*2)",    "Operand expected",                         3, "1"    },
    {"StarAfterFunction",              "sin*2",     "Operand expected",                         0, ""     },
    {"EmptyParentheses",               "()",        "Operand expected",                         1, ""     },
    {"LoneClose",                      ")",         "Operand expected",                         1, ""     },
    {"EndsAfterPlus",                  "1+",        "Operand expected",                         2, "1"    },
    {"EndsAfterStarAndBlanks",         "1* \t",     "Operand expected",                         4, "1"    },
    {"EndsAfterFunction",              "sin",       "Operand expected",                         3, ""     },
 // Operator expected: an operand or "(" right after an operand.
    {"NumberAfterName",                "x1",        "Operator expected",                        0, "XX"   },
    {"NumbersSplitBySpace",            "1 2",       "Operator expected",                        0, "1"    },
    {"NameAfterName",                  "x y",       "Operator expected",                        2, "XX"   },
    {"OpenAfterNumber",                "1+2(",      "Operator expected",                        2, "1 2"  },
 // Parentheses that do not match.
    {"CloseWithoutOpen",               "5)",        kUnmatched,                                 0, "5"    },
    {"ExtraCloseKeepsPendingOperator", "1+2)",      kUnmatched,                                 2, "1 2"  },
    {"ExtraCloseAfterGroup",           "(1+2))*3",  kUnmatched,                                 5, "1 2 +"},
    {"LoneOpen",                       "(",         "Closing parenthesis expected",             1, ""     },
    {"UnclosedCall",                   "sin(x",     "Closing parenthesis expected",             5, "XX"   },
 // Numbers.
    {"TwoPoints",                      "1.2.3",     "Operand contains multiple decimal points", 1, ""     },
    {"PointAndComma",                  "2+3.4,5",   "Operand contains multiple decimal points", 2, "2"    },
    {"LonePoint",                      ".",         "Invalid operand",                          0, ""     },
    {"LoneCommaAfterOperator",         "1+,",       "Invalid operand",                          2, "1"    },
    {"LonePointAfterFunction",         "sin .",     "Invalid operand",                          4, ""     },
    {"NumberAfterFunction",            "sin 2",     "Open parenthesis expected",                4, ""     },
 // Characters and names.
    {"Hash",                           "#",         "Unexpected character encountered",         1, ""     },
    {"DeleteCharacter",                "1+\x7F",    "Unexpected character encountered",         2, "1"    },
    {"NonAsciiByte",                   "\xC3\xA9",  "Unexpected character encountered",         1, ""     },
    {"UndefinedName",                  "abc",       "Undefined symbol : 'abc'",                 0, ""     },
    {"UndefinedNameKeepsCase",         "1+Foo_Bar", "Undefined symbol : 'Foo_Bar'",             2, "1"    },
    {"UnderscoreStartsName",           "_x",        "Undefined symbol : '_x'",                  0, ""     },
    {"FunctionNamesDoNotJoin",         "sinsin(x)", "Undefined symbol : 'sinsin'",              0, ""     },
};

INSTANTIATE_TEST_SUITE_P(Cases, SyntaxErrorTest, ::testing::ValuesIn(kErrorCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Pairs that must translate alike, which checks precedence and grouping
// without spelling out the postfix.
struct EquivalentCase {
    const char* name;
    std::string left;
    std::string right;
};

std::ostream& operator<<(std::ostream& os, const EquivalentCase& c) {
    return os << c.name;
}

class EquivalentTest : public ::testing::TestWithParam<EquivalentCase> {};

TEST_P(EquivalentTest, TranslateAlike) {
    RecordingMessageService messages;
    const Translated left = Translate(GetParam().left, messages);
    const Translated right = Translate(GetParam().right, messages);
    ASSERT_EQ(left.result, 0);
    ASSERT_EQ(right.result, 0);
    EXPECT_EQ(left.buffer, right.buffer);
}

const EquivalentCase kEquivalentCases[] = {
    {"PowerLeftAssociative",      "2^3^2",     "(2^3)^2"   },
    {"DifferenceLeftAssociative", "1-2-3",     "(1-2)-3"   },
    {"QuotientLeftAssociative",   "8/2/2",     "(8/2)/2"   },
    {"MixedProductQuotient",      "8/2*3",     "(8/2)*3"   },
    {"ProductBeforeSum",          "1+2*3",     "1+(2*3)"   },
    {"PowerBeforeProduct",        "2*3^2",     "2*(3^2)"   },
    {"NegationAfterPower",        "-2^2",      "-(2^2)"    },
    {"NegationBeforeProduct",     "-2*3",      "(-2)*3"    },
    {"NegationBeforeSum",         "-x+1",      "(-x)+1"    },
    {"SignedExponent",            "2^-1",      "2^(-1)"    },
    {"DoublySignedPower",         "-2^-2",     "-(2^(-2))" },
    {"FunctionBeforePower",       "sin(x)^2",  "(sin(x))^2"},
    {"FunctionBeforeProduct",     "sin x*2",   "(sin x)*2" },
    {"FunctionOfNegation",        "sin -x",    "sin(-x)"   },
    {"LetterCase",                "SIN(X)+Pi", "sin(x)+pI" },
    {"SignInsideGroup",           "+(1)",      "1"         },
};

INSTANTIATE_TEST_SUITE_P(Pairs, EquivalentTest, ::testing::ValuesIn(kEquivalentCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Translator, RecognisesEveryFunctionNameInLowerCase) {
    for (std::string_view name : kFunctionNames) {
        std::string lower(name);
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        RecordingMessageService messages;
        const Translated t = Translate(lower + "(x)^2", messages);
        EXPECT_EQ(t.result, 0) << lower;
        EXPECT_EQ(t.buffer, "XX " + std::string(name) + " 2 ^ ") << lower;
    }
}

TEST(Translator, AppendsToTheBufferOnSuccessAndOnError) {
    RecordingMessageService messages;
    Cls6 cls6(messages);
    std::string buffer = "7 ";
    EXPECT_EQ(cls6.InfixToPostfix("1+2", buffer), 0);
    EXPECT_EQ(buffer, "7 1 2 + ");
    EXPECT_NE(cls6.InfixToPostfix("5)", buffer), 0);
    EXPECT_EQ(buffer, "7 1 2 + 5 ");
}

TEST(Translator, LastErrorOutlivesLaterSuccess) {
    RecordingMessageService messages;
    Cls6 cls6(messages);
    std::string buffer;
    EXPECT_NE(cls6.InfixToPostfix("1+", buffer), 0);
    buffer.clear();
    EXPECT_EQ(cls6.InfixToPostfix("1+2", buffer), 0);
    EXPECT_EQ(cls6.LastError(), "Operand expected");
    EXPECT_EQ(messages.messages.size(), 1u);
}

std::string Repeat(std::string_view piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

// The edit box holds up to 32,000 characters; texts of that size must
// translate without recursion or a deep native stack.
TEST(Translator, HandlesEditBoxSizedTexts) {
    RecordingMessageService messages;
    constexpr int kDepth = 16000;

    const Translated nested = Translate(Repeat("(", kDepth) + "1" + Repeat(")", kDepth), messages);
    EXPECT_EQ(nested.result, 0);
    EXPECT_EQ(nested.buffer, "1 ");

    const Translated sum = Translate("1" + Repeat("+1", kDepth), messages);
    EXPECT_EQ(sum.result, 0);
    EXPECT_EQ(sum.buffer, "1 " + Repeat("1 + ", kDepth));

    const Translated calls = Translate(Repeat("sin(", 6000) + "x" + Repeat(")", 6000), messages);
    EXPECT_EQ(calls.result, 0);
    EXPECT_EQ(calls.buffer, "XX " + Repeat("SIN ", 6000));

    const Translated unclosed = Translate(Repeat("(", kDepth) + "1", messages);
    EXPECT_EQ(unclosed.result, kDepth + 1);
    EXPECT_EQ(messages.messages.size(), 1u);
}

} // namespace
} // namespace tallix
