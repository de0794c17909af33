#include "cli/OutputBuffer.h"

#include "cli/FileIo.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace tallix::cli {

namespace {

void WriteOrThrow(int fd, std::string_view bytes) {
    if (!WriteAll(fd, bytes)) {
        throw std::system_error(errno, std::generic_category());
    }
}

} // namespace

OutputBuffer::OutputBuffer(int fd, bool flushEachLine)
    : fd_(fd), flushEachLine_(flushEachLine), buffer_(new char[kCapacity]) {}

void OutputBuffer::WriteLine(std::string_view text) {
    Write(text);
    Write("\n");
    if (flushEachLine_) {
        Flush();
    }
}

void OutputBuffer::Write(std::string_view text) {
    if (text.empty()) {
        return; // an empty view may hold no pointer to copy from
    }
    if (text.size() > kCapacity - used_) {
        Flush();
    }
    if (text.size() > kCapacity) {
        WriteOrThrow(fd_, text);
        return;
    }
    std::memcpy(buffer_.get() + used_, text.data(), text.size());
    used_ += text.size();
}

void OutputBuffer::Flush() {
    const std::string_view pending(buffer_.get(), used_);
    used_ = 0;
    WriteOrThrow(fd_, pending);
}

} // namespace tallix::cli
