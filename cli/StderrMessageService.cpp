#include "StderrMessageService.h"

namespace tallix::cli {

void StderrMessageService::ShowMessage(std::string_view prompt, std::string_view title,
                                       MessageIcon /*icon*/) {
    // A line has no icon; the title already says whether it is a syntax
    // error or a refused text.
    err_ << title << ": " << prompt << '\n';
}

} // namespace tallix::cli
