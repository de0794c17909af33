#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>

namespace tallix::cli {

// Splits a byte stream into lines with memory that does not depend on the
// input: a line longer than the limit is skipped as it streams past, never
// held whole. A line ends at "\n" or at the end of the stream; one "\r" before
// the "\n" (a text file written elsewhere) is not part of it.
class LineReader {
public:
    // Reads at most `size` bytes into `buffer`: the count read, 0 at the end
    // of the stream, -1 on failure with errno set.
    using Source = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

    enum class Status {
        Line,      // Line() holds the next line
        TooLong,   // the next line was longer than the limit and is skipped
        End,       // the stream has ended
        ReadError, // the source failed; Error() holds its errno
    };

    static constexpr std::size_t kBlockSize = std::size_t{64} * 1024;

    LineReader(Source source, std::size_t maxLength, std::size_t blockSize = kBlockSize);

    Status Next();

    // The line found by the last Next(); valid until the next call.
    std::string_view Line() const { return line_; }
    int Error() const { return error_; }

private:
    Status Finish(std::string_view line);
    Status AtStreamEnd();
    bool Fill();

    Source source_;
    std::size_t maxLength_;
    // Room for a line of maxLength_ characters, its "\r", and a block read after them.
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0; // unread bytes are [begin_, end_)
    std::size_t end_ = 0;
    bool skipping_ = false; // inside a line already known to be too long
    bool ended_ = false;
    int error_ = 0;
    std::string_view line_;
};

} // namespace tallix::cli
