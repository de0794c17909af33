#pragma once

#include <cstddef>
#include <string_view>

namespace tallix::cli {

// read(2) that goes on after a signal: the count read, 0 at the end, -1 on
// failure with errno set.
std::ptrdiff_t ReadSome(int fd, char* buffer, std::size_t size);

// Writes all of `bytes`, going on after signals and short writes; false on
// failure with errno set.
bool WriteAll(int fd, std::string_view bytes);

// Writes "tallix-cli: MESSAGE\n" on standard error in one write, so that
// lines from processes sharing the stream never mix.
void WriteErrorLine(std::string_view message);

} // namespace tallix::cli
