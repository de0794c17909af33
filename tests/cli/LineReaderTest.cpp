#include "cli/LineReader.h"
#include "cli/FileIo.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include <unistd.h>

namespace {

// Reads `stream` in pieces of at most `piece` bytes with a line limit of 5
// and the smallest block, a byte, which leaves no room to spare, and writes
// what the reader reports: each line in brackets, "long" for a refused one,
// "end" or "error".
std::string ReadAll(std::string_view stream, std::size_t piece, bool failAtEnd = false) {
    tallix::cli::LineReader reader(
        [&](char* buffer, std::size_t size) -> std::ptrdiff_t {
            if (stream.empty()) {
                errno = EIO;
                return failAtEnd ? -1 : 0;
            }
            const std::size_t count = std::min({size, piece, stream.size()});
            std::memcpy(buffer, stream.data(), count);
            stream.remove_prefix(count);
            return static_cast<std::ptrdiff_t>(count);
        },
        5, 1);
    using Status = tallix::cli::LineReader::Status;
    std::string seen;
    Status status{};
    while ((status = reader.Next()) == Status::Line || status == Status::TooLong) {
        seen += status == Status::Line ? "[" + std::string(reader.Line()) + "]" : "long ";
    }
    return seen + (status == Status::End ? "end" : reader.Error() == EIO ? "error" : "other error");
}

// What is reported, for every piece size; a report that ends in "error" is
// of a stream that fails at its end.
struct ReadCase {
    const char* name;
    std::string stream, reported;
};

const ReadCase kReads[] = {
    {"LastLineWithoutNewline", "1\n22", "[1][22]end"},
    {"EmptyLines", "\n\n", "[][]end"},
    {"CarriageReturnDropped", "12345\r\n\r\n", "[12345][]end"},
    {"FarTooLongSkipped", std::string(50, 'x') + "\nab\n" + std::string(9, 'y'),
     "long [ab]long end"},
    {"OnlyOneCarriageReturn", "1\r\r\n", "[1\r]end"},
    {"OneTooLong", "123456\nab\n", "long [ab]end"},
    {"TooLongWithReturn", "123456\r\nab", "long [ab]end"},
    {"FailureInLongLine", "1\n" + std::string(20, 'x'), "[1]error"},
    {"FailureAfterLines", "1\n2\n34", "[1][2]error"},
};

class LineReader : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LineReader, SplitsAnyChunkingAlike) {
    for (std::size_t piece : {1, 2, 3, 7, 100}) {
        const bool fails = GetParam().reported.ends_with("error");
        EXPECT_EQ(ReadAll(GetParam().stream, piece, fails), GetParam().reported)
            << "pieces of " << piece;
    }
}

INSTANTIATE_TEST_SUITE_P(Streams, LineReader, ::testing::ValuesIn(kReads),
                         tallix::testing::RowName{});

// A read that a signal interrupted leaves errno set; the end of input
// after it is still the end. The child ends on an alarm if it never returns.
TEST(ReadSome, EndOfInputAfterAnInterruptedRead) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[1]);
    EXPECT_EXIT(
        {
            alarm(5);
            errno = EINTR;
            char byte = 0;
            std::exit(tallix::cli::ReadSome(ends[0], &byte, 1) == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
