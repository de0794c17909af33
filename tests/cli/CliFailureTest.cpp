// Lines of any size, and memory running out.
#include "tests/cli/CliProcess.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using tallix::testing::Line;
using tallix::testing::Outcome;
using tallix::testing::RunCli;

// AddressSanitizer's shadow memory defeats memory limits. GCC says it is on
// with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

// The program's memory (heap and private mappings) limited to `bytes`.
std::function<void()> Limit(int resource, rlim_t bytes) {
    return [resource, bytes] {
        const rlimit limit{bytes, bytes};
        setrlimit(resource, &limit);
    };
}

// Written a megabyte at a time into a program that may hold 16 MiB: the
// line must stream past, never be held.
TEST(CliMemory, HundredMegabyteLineIsSkippedInLittleMemory) {
    if (kSanitized) {
        GTEST_SKIP() << "the sanitizers' own memory is counted too";
    }
    const auto input = [](int fd) {
        const std::string megabyte(1 << 20, '7');
        static_cast<void>(write(fd, "1+1\n", 4));
        for (int i = 0; i < 100; ++i) {
            static_cast<void>(write(fd, megabyte.data(), megabyte.size()));
        }
        static_cast<void>(write(fd, "\n2*3\n", 5));
    };
    EXPECT_EQ(RunCli({}, input, Limit(RLIMIT_DATA, 16 << 20)),
              Outcome(1, "2\n\n6\n", Line(2, "the expression is longer than 32767 characters")));
}

// The deepest nesting the line limit allows, between two short lines.
const std::string kDeepLines =
    "1+1\n" + std::string(16383, '(') + "1" + std::string(16383, ')') + "\n2*3\n";

// Shrinks the address space until the deep line no longer fits: the first
// thing to fail must be that one calculation, reported, with the lines
// around it answered.
TEST(CliMemory, RunningOutOfMemoryFailsOnlyThatExpression) {
    if (kSanitized) {
        GTEST_SKIP() << "the sanitizers reserve more address space than any limit allows";
    }
    const auto statusWithin = [](rlim_t bytes) {
        return std::get<0>(RunCli({}, kDeepLines, Limit(RLIMIT_AS, bytes)));
    };
    // The search is between a limit that fits and one that does not.
    rlim_t fits = 256 << 20, failsBelow = 0;
    ASSERT_EQ(statusWithin(fits), 0);
    while (fits - failsBelow > 64 * 1024) {
        const rlim_t middle = (fits + failsBelow) / 2;
        (statusWithin(middle) == 0 ? fits : failsBelow) = middle;
    }
    EXPECT_EQ(RunCli({}, kDeepLines, Limit(RLIMIT_AS, failsBelow)),
              Outcome(1, "2\n\n6\n", Line(2, "out of memory")));
}

} // namespace
