#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace tallix::cli {

// Lines for a file descriptor, written one buffer at a time, or one line at
// a time for a reader that answers each line before sending the next. A
// failed write throws std::system_error; nothing more is written after it.
class OutputBuffer {
public:
    static constexpr std::size_t kCapacity = std::size_t{64} * 1024;

    OutputBuffer(int fd, bool flushEachLine);

    // Appends `text` and a newline.
    void WriteLine(std::string_view text);
    // Appends `text` as it is.
    void Write(std::string_view text);
    void Flush();

private:
    int fd_;
    bool flushEachLine_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

} // namespace tallix::cli
