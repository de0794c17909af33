#include "cli/StderrMessageService.h"

#include "cli/FileIo.h"

#include <string>

namespace tallix::cli {

void StderrMessageService::ShowMessage(std::string_view prompt, std::string_view title,
                                       MessageIcon /*icon*/) {
    // A line has no icon; the title already says whether it is a syntax
    // error or a refused text.
    std::string text(title);
    text += ": ";
    text += prompt;
    Report(text);
}

void StderrMessageService::Report(std::string_view text) {
    std::string line(place_.kind);
    line += ' ';
    line += std::to_string(place_.number);
    line += ": ";
    line += text;
    WriteErrorLine(line);
}

} // namespace tallix::cli
