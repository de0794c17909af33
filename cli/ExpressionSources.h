#pragma once

#include "cli/ExpressionRunner.h"

#include <string>
#include <vector>

namespace tallix::cli {

// The exit status of a run.
enum ExitStatus : int {
    kAllGaveResults = 0,
    kSomeGaveNoResult = 1,
    kUsageOrInputOutputError = 2,
};

// Runs each expression given on the command line.
ExitStatus RunArguments(ExpressionRunner& runner, const std::vector<std::string>& expressions);

// Runs each line of the file descriptor, read in large blocks. A failed read
// ends the run with a message.
ExitStatus RunLines(ExpressionRunner& runner, int fd);

// Runs each line typed at the terminal, with line editing.
ExitStatus RunInteractive(ExpressionRunner& runner, OutputBuffer& out);

} // namespace tallix::cli
