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

// Pushed past the inline slots and past the first heap storage: short texts
// held inside the string object, long ones outside it, and numbers of each
// tag, each read back with its own tag whichever way it is read. The
// capacity grows in steps of ten and never shrinks.
TEST(Cls13, GrowsInStepsOfTenNeverShrinksAndKeepsValuesInOrder) {
    Cls13 stack;
    const TaggedValue tagged[] = {std::string("SIN"), 1.5f, std::int16_t{1}, 0.25,
                                  std::string("a text longer than a short string")};
    for (int i = 0; i < 45; ++i) {
        stack.Push(tagged[i % 5]);
        EXPECT_EQ(stack.Capacity(), (i / 10 + 1) * 10) << i;
    }
    for (int i = 44; i >= 0; --i) {
        EXPECT_EQ(stack.GetPopValue(), tagged[i % 5]);
        EXPECT_EQ(stack.Top(), tagged[i % 5]);
        EXPECT_EQ(stack.Pop(), tagged[i % 5]);
    }
    EXPECT_EQ(stack.Capacity(), 50);
}

} // namespace
} // namespace tallix
