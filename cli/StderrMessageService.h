#pragma once

#include "engine/MessageService.h"

#include <cstddef>
#include <string_view>

namespace tallix::cli {

// Where an expression came from: "line" 3 of standard input, or "argument" 2,
// the second expression on the command line. Either way `number` is also the
// line of standard output that answers it.
struct InputPlace {
    std::string_view kind;
    std::size_t number = 0;
};

// Shows each message box as one line "tallix-cli: PLACE: TITLE: PROMPT" on
// standard error, so that a script reads results from standard output alone
// and can pair each reason with the input it belongs to.
class StderrMessageService : public MessageService {
public:
    void SetPlace(InputPlace place) { place_ = place; }

    void ShowMessage(std::string_view prompt, std::string_view title, MessageIcon icon) override;
    // A message of the program's own: "tallix-cli: PLACE: TEXT".
    void Report(std::string_view text);

private:
    InputPlace place_;
};

} // namespace tallix::cli
