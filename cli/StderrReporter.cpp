#include "cli/StderrReporter.h"

#include "cli/FileIo.h"

#include <string>

namespace tallix::cli {

void StderrReporter::Report(std::string_view text) {
    std::string line(place_.kind);
    line += ' ';
    line += std::to_string(place_.number);
    line += ": ";
    line += text;
    WriteErrorLine(line);
}

void StderrReporter::Report(std::string_view title, std::string_view prompt) {
    std::string text(title);
    text += ": ";
    text += prompt;
    Report(text);
}

} // namespace tallix::cli
