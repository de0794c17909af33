#pragma once

#include "MessageService.h"

#include <ostream>

namespace tallix::cli {

// Shows each message box as one line "TITLE: PROMPT" on an error stream, so
// that a script can tell the outcome of each expression from standard output
// alone and read the reason on standard error.
class StderrMessageService : public MessageService {
public:
    explicit StderrMessageService(std::ostream& err) : err_(err) {}

    void ShowMessage(std::string_view prompt, std::string_view title, MessageIcon icon) override;

private:
    std::ostream& err_;
};

} // namespace tallix::cli
