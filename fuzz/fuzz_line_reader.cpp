// Any bytes, delivered in chunks of varying size, with any small line limit
// and block size, must come out of the line reader exactly as a plain split
// at "\n" says: each line without one trailing "\r", a line over the limit
// reported as too long in its place, and a read failure after every line
// that was complete before it. The fuzzer thus reaches lines far beyond the
// limit without lines of the real limit's size.
#include "cli/LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tallix::cli::LineReader;

struct Item {
    LineReader::Status status;
    std::string line;
    bool operator==(const Item&) const = default;
};

// What the reader must give for `stream`.
std::vector<Item> Expected(std::string_view stream, std::size_t limit, bool failsAtEnd) {
    std::vector<Item> items;
    for (;;) {
        const std::size_t newline = stream.find('\n');
        if (newline == std::string_view::npos && (failsAtEnd || stream.empty())) {
            break;
        }
        std::string_view line = stream.substr(0, newline);
        stream.remove_prefix(newline == std::string_view::npos ? stream.size() : newline + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.size() > limit) {
            items.push_back({LineReader::Status::TooLong, {}});
        } else {
            items.push_back({LineReader::Status::Line, std::string(line)});
        }
    }
    items.push_back({failsAtEnd ? LineReader::Status::ReadError : LineReader::Status::End, {}});
    return items;
}

std::vector<Item> Read(std::string_view stream, std::size_t limit, std::size_t blockSize,
                       std::size_t chunkSeed, bool failsAtEnd) {
    std::size_t chunkIndex = 0;
    LineReader reader(
        [&](char* buffer, std::size_t size) -> std::ptrdiff_t {
            if (stream.empty()) {
                errno = EIO;
                return failsAtEnd ? -1 : 0;
            }
            const std::size_t chunk = 1 + (chunkSeed * ++chunkIndex) % 23;
            const std::size_t count = std::min({size, chunk, stream.size()});
            std::memcpy(buffer, stream.data(), count);
            stream.remove_prefix(count);
            return static_cast<std::ptrdiff_t>(count);
        },
        limit, blockSize);
    std::vector<Item> items;
    for (;;) {
        const LineReader::Status status = reader.Next();
        items.push_back({status, status == LineReader::Status::Line ? std::string(reader.Line())
                                                                    : std::string()});
        if (status == LineReader::Status::End || status == LineReader::Status::ReadError) {
            return items;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const std::size_t limit = data[0] % 64;
    const std::size_t blockSize = 1 + data[1] % 32;
    const std::size_t chunkSeed = data[2] >> 1;
    const bool failsAtEnd = (data[2] & 1) != 0;
    const std::string_view stream(reinterpret_cast<const char*>(data) + 3, size - 3);
    if (Read(stream, limit, blockSize, chunkSeed, failsAtEnd) !=
        Expected(stream, limit, failsAtEnd)) {
        std::fprintf(stderr, "line reader and plain split disagree\n");
        std::abort();
    }
    return 0;
}
