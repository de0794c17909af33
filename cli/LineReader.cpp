#include "cli/LineReader.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace tallix::cli {

LineReader::LineReader(Source source, std::size_t maxLength, std::size_t blockSize)
    : source_(std::move(source)), maxLength_(maxLength), capacity_(maxLength + 1 + blockSize),
      buffer_(new char[capacity_]) {}

LineReader::Status LineReader::Next() {
    for (;;) {
        const std::string_view pending(buffer_.get() + begin_, end_ - begin_);
        const std::size_t newline = pending.find('\n');
        if (newline != std::string_view::npos) {
            begin_ += newline + 1;
            if (std::exchange(skipping_, false)) {
                return Status::TooLong;
            }
            return Finish(pending.substr(0, newline));
        }
        // Without its newline a pending line may still lose a "\r", so it is
        // known to be too long only past maxLength_ + 1 bytes.
        if (skipping_ || pending.size() > maxLength_ + 1) {
            skipping_ = true;
            begin_ = end_ = 0;
        }
        if (ended_ || !Fill()) {
            return AtStreamEnd();
        }
    }
}

LineReader::Status LineReader::Finish(std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    if (line.size() > maxLength_) {
        return Status::TooLong;
    }
    line_ = line;
    return Status::Line;
}

// The stream has ended or failed with [begin_, end_) holding a last line
// without its newline.
LineReader::Status LineReader::AtStreamEnd() {
    if (error_ != 0) {
        return Status::ReadError;
    }
    const std::string_view last(buffer_.get() + begin_, end_ - begin_);
    begin_ = end_;
    if (std::exchange(skipping_, false)) {
        return Status::TooLong;
    }
    return last.empty() ? Status::End : Finish(last);
}

// Moves the unread bytes to the front and reads after them; false at the end
// of the stream or on failure.
bool LineReader::Fill() {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    const std::ptrdiff_t count = source_(buffer_.get() + end_, capacity_ - end_);
    if (count > 0) {
        end_ += static_cast<std::size_t>(count);
        return true;
    }
    ended_ = true;
    if (count < 0) {
        error_ = errno != 0 ? errno : EIO;
    }
    return false;
}

} // namespace tallix::cli
