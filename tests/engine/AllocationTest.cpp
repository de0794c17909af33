// Allocation failures and allocation sizes in a calculation, observed
// through this program's own global operator new.
#include "engine/Calculation.h"

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
    if (gRequestsLeft == 0) {
        throw std::bad_alloc();
    }
    if (gRequestsLeft > 0) {
        --gRequestsLeft;
    }
    gRequestedBytes += size;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    Release(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    Release(memory);
}

namespace tallix {
namespace {

// What a calculation shows: the result text, or the error's message or description.
std::string CalculateText(const std::string& typed) {
    const CalculationResult result = Calculate(typed, {});
    if (result.translation.error) {
        return result.translation.error->message;
    }
    return result.evaluation.outcome == EvalOutcome::Value ? result.resultText
                                                           : result.evaluation.errorDescription;
}

std::string Nested(std::size_t depth, std::string_view inner) {
    return std::string(depth, '(') + std::string(inner) + std::string(depth, ')');
}

const std::string kInputs[] = {
    Nested(40, "1+sin(x)*2"), // both stacks move to the heap
    "(1.5+2.25)*(3.75-0.5)/(2+sin(0.5))+sqr(16)*cos(1)-log(2.5)+exp(0.5)*(x+1)^2-abs(-7.25)",
    "1+" + std::string(40, 'q'), // the undefined-symbol message
    Nested(40, "10^400"),        // the overflow failure
};

// Whichever request fails, the calculation ends with std::bad_alloc in the
// caller's hands and the next attempt starts clean.
TEST(Allocation, FailureAtAnyRequestReachesTheCaller) {
    for (const std::string& input : kInputs) {
        const std::string expected = CalculateText(input);
        bool completed = false;
        for (long allowed = 0; !completed; ++allowed) {
            gRequestsLeft = allowed;
            try {
                const std::string shown = CalculateText(input);
                gRequestsLeft = -1;
                EXPECT_EQ(shown, expected) << input.substr(0, 20) << " after " << allowed;
                completed = true;
            } catch (const std::bad_alloc&) {
                gRequestsLeft = -1;
            }
        }
    }
}

std::string Repeat(std::string_view piece, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

// Memory grows with the input by at most 20 bytes per character (a 40-byte
// slot per stacked token would need twice that), whatever its
// shape: deep on the translator's stack, deep on the evaluator's, or long
// postfix text.
TEST(Allocation, RequestsAFewBytesPerCharacter) {
    for (std::size_t n : {500u, 8000u}) {
        for (const std::string& typed :
             {Nested(2 * n, "1"), Repeat("1+(", n) + "1" + std::string(n, ')'),
              "1" + Repeat("+1", 2 * n)}) {
            gRequestedBytes = 0;
            CalculateText(typed);
            const std::size_t requested = gRequestedBytes;
            EXPECT_LE(requested, 20 * typed.size()) << typed.substr(0, 8) << " " << typed.size();
        }
    }
}

} // namespace
} // namespace tallix
