#include "engine/FunctionNames.h"
#include "engine/Translation.h"
#include "tests/support/Repeat.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace tallix {
namespace {

using testing::Repeat;

struct TranslationCase {
    const char* name;
    // tokens: written before the end or the error, one space apart
    std::string input, tokens;
    std::string message = {}; // none when the text translates
    std::int32_t position = 0;
};

const std::string kUnmatched = "Closing parenthesis without matching open parenthesis";

// Rows of different lengths, laid out by hand.
// clang-format off
const TranslationCase kCases[] = {
    // Precedence and grouping: + - < * / < unary minus < ^ < function, all
    // from the left (more in the equivalence pairs of the calculation tests).
    {"BlanksOnly", " \t ", ""},
    {"ProductBeforeSum", "1+2*3", "1 2 3 * +"},
    {"QuotientBeforeDifference", "8-6/2", "8 6 2 / -"},
    {"PowerProductSum", "1+2*3^2", "1 2 3 2 ^ * +"},
    {"PowerFromTheLeft", "2^3^2", "2 3 ^ 2 ^"},
    {"PowerBeforeSign", "-2^2", "2 2 ^ (-)"},
    {"SignBeforeProduct", "-2*3", "2 (-) 3 *"},
    {"QuotientFromTheLeft", "8/2*3", "8 2 / 3 *"},
    {"DifferenceFromTheLeft", "2-3-4", "2 3 - 4 -"},
    {"FunctionBeforePower", "sin(x)^2", "XX SIN 2 ^"},
    {"FunctionTighterThanProduct", "sin x*2", "XX SIN 2 *"},
    // Chains of signs.
    {"NegatedFactor", "2*-3", "2 3 (-) *"},
    {"SignAfterPowerTakesFollowingPower", "2^-3^2", "2 3 2 ^ (-) ^"},
    {"NestedNegations", "-(-(1))", "1 (-) (-)"},
    {"UnaryPlusWritesNothing", "+5*+3", "5 3 *"},
    {"NegatedFunction", "-sin(x)", "XX SIN (-)"},
    {"FunctionOfSignedOperand", "sin -x", "XX (-) SIN"},
    {"FunctionOfPlusSignedOperand", "sin+x", "XX SIN"},
    {"FunctionOfFunction", "sin cos x", "XX COS SIN"},
    // "(" after a function name or a sign leaves room for a number.
    {"FunctionOfNumberInParentheses", "sin(2)", "2 SIN"},
    {"SignedGroupOfNumber", "-(2)", "2 (-)"},
    // Names in any letter case; numbers as typed; control characters skipped.
    {"NamesInAnyCase", "ASinH(X)*Pi", "XX ASINH 3.1415926 *"},
    {"NumbersAsTyped", ".5+5.*1,5", ".5 5. 1,5 * +"},
    {"ControlCharactersSkipped", "\t1\x01+\n2\r\x1F", "1 2 +"},
    // Every message, at the position each rule gives.
    {"DoubleMinus", "2--3", "2", "Operand expected", 2},
    {"LeadingDoubleMinus", "--1", "", "Operand expected", 1},
    {"StarAfterFunction", "sin*2", "", "Operand expected", 0},
    {"EmptyParentheses", "()", "", "Operand expected", 1},
    {"EndsAfterStarAndBlanks", "1* \t", "1", "Operand expected", 4},
    {"EndsAfterFunction", "sin", "", "Operand expected", 3},
    {"NumberAfterName", "x1", "XX", "Operator expected", 0},
    {"NameAfterName", "x y", "XX", "Operator expected", 2},
    {"OpenAfterNumber", "1+2(", "1 2", "Operator expected", 2},
    {"CloseWithoutOpen", "5)", "5", kUnmatched, 0},
    {"ExtraCloseAfterGroup", "(1+2))*3", "1 2 +", kUnmatched, 5},
    {"LoneOpen", "(", "", "Closing parenthesis expected", 1},
    {"UnclosedCall", "sin(x", "XX", "Closing parenthesis expected", 5},
    {"PointAndComma", "2+3.4,5", "2", "Operand contains multiple decimal points", 2},
    {"LoneComma", "1+,", "1", "Invalid operand", 2},
    {"LonePointAfterFunction", "sin .", "", "Invalid operand", 4},
    {"NumberAfterFunction", "sin 2", "", "Open parenthesis expected", 4},
    {"DeleteCharacter", "1+\x7F", "1", "Unexpected character encountered", 2},
    {"NonAsciiByte", "\xC3\xA9", "", "Unexpected character encountered", 1},
    {"UndefinedNameKeepsCase", "1+Foo_Bar", "1", "Undefined symbol : 'Foo_Bar'", 2},
    {"AlphabetsEndsAreNameCharacters", "1+aZ_zA", "1", "Undefined symbol : 'aZ_zA'", 2},
    {"FunctionNamesDoNotJoin", "sinsin(x)", "", "Undefined symbol : 'sinsin'", 0},
    // Edit-box-sized texts translate without recursion or a deep native stack.
    {"DeepNesting", Repeat("(", 16000) + "1" + Repeat(")", 16000), "1"},
    {"DeepUnclosed", Repeat("(", 16000) + "1", "1", "Closing parenthesis expected", 16001},
    {"DeepCalls", Repeat("-sin(", 3000) + "x" + Repeat(")", 3000),
     "XX" + Repeat(" SIN (-)", 3000)},
};
// clang-format on

class Translator : public ::testing::TestWithParam<TranslationCase> {};

TEST_P(Translator, WritesPostfixOrReportsTheFirstError) {
    const TranslationCase& c = GetParam();
    const TranslationResult t = TranslateToPostfix(c.input);
    EXPECT_EQ(t.postfix, c.tokens.empty() ? "" : c.tokens + " ");
    ASSERT_EQ(t.error.has_value(), !c.message.empty());
    if (t.error) {
        EXPECT_EQ(t.error->message, c.message);
        EXPECT_EQ(t.error->position, c.position);
    }
}

INSTANTIATE_TEST_SUITE_P(Infix, Translator, ::testing::ValuesIn(kCases), testing::RowName{});

// Each name is found in any letter case and outranks every operator.
TEST(Translation, RecognisesEveryFunctionName) {
    for (std::string_view name : kFunctionNames) {
        std::string spelling(name);
        for (std::size_t i = 0; i < spelling.size(); i += 2) {
            spelling[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(spelling[i])));
        }
        const TranslationResult t = TranslateToPostfix(spelling + "(x)^2");
        EXPECT_FALSE(t.error) << spelling;
        EXPECT_EQ(t.postfix, "XX " + std::string(name) + " 2 ^ ") << spelling;
    }
}

} // namespace
} // namespace tallix
