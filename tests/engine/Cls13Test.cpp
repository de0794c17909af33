#include "Cls13.h"
#include "EngineError.h"

#include <gtest/gtest.h>

#include <string>

namespace tallix {
namespace {

template <typename Call>
void ExpectEngineError(Call call, std::int32_t number, const std::string& description) {
    try {
        call();
        FAIL() << "expected EngineError " << description;
    } catch (const EngineError& e) {
        EXPECT_EQ(e.Number(), number);
        EXPECT_EQ(e.Description(), description);
    }
}

TEST(Cls13, EmptyStackRefusesPopAndPeekWithTheirOwnErrors) {
    Cls13 stack;
    EXPECT_EQ(stack.StackSize(), 0);
    EXPECT_EQ(stack.Capacity(), 0);
    ExpectEngineError([&] { stack.Pop(); }, -2147220493, "Pop method invoked on empty stack");
    ExpectEngineError([&] { stack.GetPopValue(); }, -2147220492,
                      "GetPopValue method invoked on empty stack");
    EXPECT_EQ(stack.StackSize(), 0);
}

TEST(Cls13, CapacityGrowsInStepsOfTenAndNeverShrinks) {
    Cls13 stack;
    for (int i = 1; i <= 10; ++i) {
        stack.Push(static_cast<double>(i));
    }
    EXPECT_EQ(stack.Capacity(), 10);
    stack.Push(11.0);
    EXPECT_EQ(stack.Capacity(), 20);
    for (int i = 11; i >= 1; --i) {
        EXPECT_EQ(std::get<double>(stack.Pop()), i);
    }
    EXPECT_EQ(stack.StackSize(), 0);
    EXPECT_EQ(stack.Capacity(), 20);
    for (int i = 0; i < 21; ++i) {
        stack.Push(0.0);
    }
    EXPECT_EQ(stack.Capacity(), 30);
    ExpectEngineError(
        [] {
            Cls13 s;
            s.Push(1.0);
            s.Pop();
            s.Pop();
        },
        -2147220493, "Pop method invoked on empty stack");
}

TEST(Cls13, PeekLeavesTheStackAsItWas) {
    Cls13 stack;
    stack.Push(std::string("("));
    stack.Push(2.5);
    EXPECT_EQ(std::get<double>(stack.GetPopValue()), 2.5);
    EXPECT_EQ(std::get<double>(stack.GetPopValue()), 2.5);
    EXPECT_EQ(stack.StackSize(), 2);
}

TEST(Cls13, TopIsTheValueThatPopReturnsNext) {
    Cls13 stack;
    ExpectEngineError([&] { stack.Top(); }, -2147220492,
                      "GetPopValue method invoked on empty stack");
    stack.Push(std::string("("));
    stack.Push(std::string("SIN"));
    EXPECT_EQ(std::get<std::string>(stack.Top()), "SIN");
    EXPECT_EQ(stack.StackSize(), 2);
    EXPECT_EQ(std::get<std::string>(stack.Pop()), "SIN");
    EXPECT_EQ(std::get<std::string>(stack.Top()), "(");
}

// Texts long enough to live outside the string object itself, pushed past
// the depth at which the stack moves to larger storage and back down.
TEST(Cls13, DeepStackKeepsEveryTextInOrder) {
    Cls13 stack;
    const auto text = [](int i) {
        return "a text longer than a short string " + std::to_string(i);
    };
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 45; ++i) {
            stack.Push(text(i));
        }
        EXPECT_EQ(stack.Capacity(), 50);
        for (int i = 44; i >= 0; --i) {
            ASSERT_EQ(std::get<std::string>(stack.Pop()), text(i));
        }
        stack.Push(1.0); // a number in a slot that held a text
        EXPECT_EQ(std::get<double>(stack.Pop()), 1.0);
    }
}

TEST(Cls13, ValuesComeBackWithTheirKindAndAreCopies) {
    Cls13 stack;
    std::string text = "SIN";
    stack.Push(text);
    text = "COS";
    stack.Push(1.5f);
    stack.Push(std::int16_t{1});
    stack.Push(0.25);
    EXPECT_EQ(std::get<double>(stack.Pop()), 0.25);
    EXPECT_EQ(std::get<std::int16_t>(stack.Pop()), 1);
    EXPECT_EQ(std::get<float>(stack.Pop()), 1.5f);
    EXPECT_EQ(std::get<std::string>(stack.Pop()), "SIN");
}

} // namespace
} // namespace tallix
