// Lines of any size, and memory running out.
#include "tests/cli/CliProcess.h"

#include <gtest/gtest.h>

#include <string>

#include <sys/resource.h>

namespace {

using tallix::testing::CliRun;
using tallix::testing::RunCli;
using tallix::testing::Text;

// AddressSanitizer's shadow memory defeats memory limits. GCC says it is on
// with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

TEST(CliMemory, HundredMegabyteLineIsSkippedInLittleMemory) {
    if (kSanitized) {
        GTEST_SKIP() << "the sanitizers' own memory is counted too";
    }
    // Written a megabyte at a time: the child would count a whole line the
    // test held when it forked.
    const CliRun run = RunCli({}, [](int fd) {
        Text("1+1\n")(fd);
        const auto megabyte = Text(std::string(1 << 20, '7'));
        for (int i = 0; i < 100; ++i) {
            megabyte(fd);
        }
        Text("\n2*3\n")(fd);
    });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "2\n\n6\n");
    EXPECT_EQ(run.err, "tallix-cli: line 2: the expression is longer than 32767 characters\n");
    EXPECT_LT(run.maxRssKiB, 64 * 1024);
}

// The deepest nesting the line limit allows, between two short lines.
const std::string kDeepLines =
    "1+1\n" + std::string(16383, '(') + "1" + std::string(16383, ')') + "\n2*3\n";

CliRun RunDeepLinesWithin(rlim_t addressSpace) {
    return RunCli({}, Text(kDeepLines), [addressSpace] {
        const rlimit limit{addressSpace, addressSpace};
        setrlimit(RLIMIT_AS, &limit);
    });
}

// Shrinks the address space until the deep line no longer fits: the first
// thing to fail must be that one calculation, reported, with the lines
// around it answered.
TEST(CliMemory, RunningOutOfMemoryFailsOnlyThatExpression) {
    if (kSanitized) {
        GTEST_SKIP() << "the sanitizers reserve more address space than any limit allows";
    }
    constexpr rlim_t kStep = 64 * 1024;
    rlim_t fits =
        256 * 1024 * 1024; // the search is between a limit that fits and one that does not
    rlim_t failsBelow = 0;
    ASSERT_EQ(RunDeepLinesWithin(fits).status, 0);
    while (fits - failsBelow > kStep) {
        const rlim_t middle = (fits + failsBelow) / 2;
        (RunDeepLinesWithin(middle).status == 0 ? fits : failsBelow) = middle;
    }
    const CliRun run = RunDeepLinesWithin(failsBelow);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "2\n\n6\n");
    EXPECT_EQ(run.err, "tallix-cli: line 2: out of memory\n");
}

} // namespace
