#include "engine/Cls13.h"
#include "tests/support/EngineOutcome.h"

#include <gtest/gtest.h>

#include <string>

namespace tallix {
namespace {

using testing::Raised;

TEST(Cls13, EmptyStackRaisesItsOwnErrorsAndStaysEmpty) {
    Cls13 stack;
    EXPECT_EQ(stack.Capacity(), 0);
    stack.Push(1.0);
    stack.Pop();
    EXPECT_EQ(Raised([&] { stack.Pop(); }), "-2147220493 Pop method invoked on empty stack");
    const std::string peekEmpty = "-2147220492 GetPopValue method invoked on empty stack";
    EXPECT_EQ(Raised([&] { stack.GetPopValue(); }), peekEmpty);
    EXPECT_EQ(Raised([&] { stack.Top(); }), peekEmpty);
    EXPECT_EQ(stack.StackSize(), 0);
}

// Texts long enough to live outside the string object itself, pushed past
// the depth at which the stack moves to larger storage, then numbers of each
// tag in slots that held texts.
TEST(Cls13, GrowsInStepsOfTenNeverShrinksAndKeepsValuesInOrder) {
    Cls13 stack;
    const auto text = [](int i) {
        return "a text longer than a short string " + std::to_string(i);
    };
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 45; ++i) {
            stack.Push(text(i));
            EXPECT_EQ(stack.Capacity(), round == 0 ? (i / 10 + 1) * 10 : 50) << i;
        }
        for (int i = 44; i >= 0; --i) {
            ASSERT_EQ(std::get<std::string>(stack.Pop()), text(i));
        }
    }
    // Each value comes back with its own tag, whichever way it is read.
    const TaggedValue tagged[] = {std::string("SIN"), 1.5f, std::int16_t{1}, 0.25};
    for (const TaggedValue& value : tagged) {
        stack.Push(value);
    }
    for (int i = 3; i >= 0; --i) {
        EXPECT_EQ(stack.GetPopValue(), tagged[i]);
        EXPECT_EQ(stack.Top(), tagged[i]);
        EXPECT_EQ(stack.Pop(), tagged[i]);
    }
}

} // namespace
} // namespace tallix
