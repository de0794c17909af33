#include "cli/FileIo.h"

#include <cerrno>
#include <string>

#include <unistd.h>

namespace tallix::cli {

std::ptrdiff_t ReadSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(fd, buffer, size);
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            if (count == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

void WriteErrorLine(std::string_view message) {
    std::string line = "tallix-cli: ";
    line += message;
    line += '\n';
    // Nothing is left to tell when standard error itself fails.
    static_cast<void>(WriteAll(STDERR_FILENO, line));
}

} // namespace tallix::cli
