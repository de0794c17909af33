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

// Runs each operand in the order given: an expression, or at "-" each line
// of standard input; with no operand, standard input alone. Lines are
// numbered across the whole run, so a "-" given twice goes on counting.
// Standard input is read with line editing when it and standard output are
// both terminals, otherwise in large blocks; a failed read ends the run with
// a message.
ExitStatus RunOperands(ExpressionRunner& runner, const std::vector<std::string>& operands,
                       OutputBuffer& out);

} // namespace tallix::cli
