#include "platform/Cls6.h"
#include "tests/support/EngineOutcome.h"
#include "tests/support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallix {
namespace {

using tallix::testing::RecordingMessageService;

const std::string kUnmatched = "Closing parenthesis without matching open parenthesis";

// InfixToPostfix shows the error in a box, returns its position (or a
// non-zero value for position 0), appends to the buffer and keeps the
// last message.
TEST(Cls6, InfixToPostfixShowsTheErrorAndAppends) {
    RecordingMessageService messages;
    Cls6 cls6(messages);
    std::string buffer = "7 ";
    EXPECT_EQ(cls6.InfixToPostfix("1+", buffer), 2);
    EXPECT_NE(cls6.InfixToPostfix("5)", buffer), 0);
    EXPECT_EQ(cls6.InfixToPostfix("1+2", buffer), 0);
    EXPECT_EQ(buffer, "7 1 5 1 2 + ");
    EXPECT_EQ(cls6.LastError(), kUnmatched);
    EXPECT_EQ(messages.boxes,
              (std::vector<std::string>{"Syntax Error|0|Character 2:  Operand expected",
                                        "Syntax Error|0|Character 0:  " + kUnmatched}));
}

// DoEvaluate writes sngResult only for a value or the sentinel, reads only
// sngX of its seven other singles, raises failures and shows nothing. One
// Cls6 serves every row, so no call may see what an earlier one left behind.
TEST(Cls6, DoEvaluateWritesThroughItsParameters) {
    constexpr float kUntouched = 42.0f;
    struct Row {
        // outcome: the status, or the failure's number and description
        std::string postfix, outcome;
        float result;
    };
    const Row kRows[] = {
        {"XX 2 * ", "value", 3.0f},
        {"0.12345 (-) ", "value", kCannotCalculateSentinel},
        {"5 0 / ", "cannot calculate", kCannotCalculateSentinel},
        {"1+2", "no token", kUntouched},
        {"+ ", "-2147220493 Pop method invoked on empty stack", kUntouched},
    };
    RecordingMessageService messages;
    Cls6 cls6(messages);
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.postfix);
        std::string postfix = row.postfix;
        bool degree = false;
        // sngResult, then sngU, sngV, sngX (1.5), sngY, sngA, sngR, sngB and sngT.
        std::vector<float> s = {kUntouched, 2, 3, 1.5f, 4, 5, 6, 7, 8};
        std::string outcome;
        const std::string raised = testing::Raised([&] {
            const EvalStatus status = cls6.DoEvaluate(postfix, degree, s[0], s[1], s[2], s[3], s[4],
                                                      s[5], s[6], s[7], s[8]);
            outcome = testing::OutcomeName(status.outcome);
            EXPECT_EQ(static_cast<bool>(status), status.outcome != EvalOutcome::NoToken);
        });
        EXPECT_EQ(outcome.empty() ? raised : outcome, row.outcome);
        EXPECT_EQ(s, (std::vector<float>{row.result, 2, 3, 1.5f, 4, 5, 6, 7, 8}));
    }
    EXPECT_TRUE(messages.boxes.empty());
}

} // namespace
} // namespace tallix
