#pragma once

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

// Writes why an expression gave no answer as one line on standard error,
// "tallix-cli: PLACE: TEXT", so that a script reads results from standard
// output alone and can pair each reason with the input it belongs to.
class StderrReporter {
public:
    void SetPlace(InputPlace place) { place_ = place; }

    void Report(std::string_view text);
    // What the window shows in a message box: "tallix-cli: PLACE: TITLE: PROMPT".
    // A line has no icon; the title already says whether it is a syntax
    // error or a refused text.
    void Report(std::string_view title, std::string_view prompt);

private:
    InputPlace place_;
};

} // namespace tallix::cli
