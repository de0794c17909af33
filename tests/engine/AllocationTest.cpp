// Allocation failures and allocation sizes in a calculation, observed
// through this program's own global operator new.
#include "engine/Calculation.h"
#include "tests/support/EngineOutcome.h"
#include "tests/support/Repeat.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

namespace {

// Bytes requested since the last reset, and how many more requests succeed
// (negative: all of them).
std::size_t gRequestedBytes = 0;
long gRequestsLeft = -1;

// Out of line, so that the compiler never sees a new matched with free.
[[gnu::noinline]] void Release(void* memory) noexcept {
    std::free(memory);
}

} // namespace

void* operator new(std::size_t size) {
    void* memory = gRequestsLeft == 0 ? nullptr : std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    gRequestsLeft -= gRequestsLeft > 0 ? 1 : 0;
    gRequestedBytes += size;
    return memory;
}

void operator delete(void* memory) noexcept {
    Release(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    Release(memory);
}

namespace tallix {
namespace {

// What a calculation shows: the error's message, or the result text and outcome.
std::string CalculateText(const std::string& typed) {
    const CalculationResult result = Calculate(typed, {});
    return result.translation.error ? result.translation.error->message
                                    : result.resultText + testing::OutcomeText(result.evaluation);
}

using testing::Repeat;

std::string Nested(int depth, const std::string& inner) {
    return Repeat("(", depth) + inner + Repeat(")", depth);
}

struct Input {
    const char* name;
    std::string typed;
};

// clang-format off
const Input kInputs[] = {
    {"BothStacksOnTheHeap", Nested(40, "1+sin(x)*2")},
    {"LongExpression",
     "(1.5+2.25)*(3.75-0.5)/(2+sin(0.5))+sqr(16)*cos(1)-log(2.5)+exp(0.5)*(x+1)^2-abs(-7.25)"},
    {"UndefinedSymbolMessage", "1+" + std::string(40, 'q')},
    {"OverflowFailure", Nested(40, "10^400")},
};
// clang-format on

class Allocation : public ::testing::TestWithParam<Input> {};

// Whichever request fails, the calculation ends with std::bad_alloc in the
// caller's hands and the next attempt starts clean.
TEST_P(Allocation, FailureAtAnyRequestReachesTheCaller) {
    const std::string expected = CalculateText(GetParam().typed);
    for (long allowed = 0;; ++allowed) {
        gRequestsLeft = allowed;
        try {
            const std::string shown = CalculateText(GetParam().typed);
            gRequestsLeft = -1;
            EXPECT_EQ(shown, expected) << "after " << allowed;
            return;
        } catch (const std::bad_alloc&) {
            gRequestsLeft = -1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Calculation, Allocation, ::testing::ValuesIn(kInputs), testing::RowName{});

// Memory grows with the input by at most 20 bytes per character (a 40-byte
// slot per stacked token would need twice that), whatever its shape: deep on
// the translator's stack, deep on the evaluator's, or long postfix text.
TEST(AllocationSize, RequestsAFewBytesPerCharacter) {
    for (const int n : {500, 8000}) {
        for (const std::string& typed :
             {Nested(2 * n, "1"), Repeat("1+(", n) + "1" + Repeat(")", n),
              "1" + Repeat("+1", 2 * n)}) {
            gRequestedBytes = 0;
            CalculateText(typed);
            EXPECT_LE(gRequestedBytes, 20 * typed.size()) << typed.substr(0, 8) << typed.size();
        }
    }
}

} // namespace
} // namespace tallix
