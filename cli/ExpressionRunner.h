#pragma once

#include "StderrMessageService.h"

#include <ostream>
#include <string>
#include <string_view>

namespace tallix::cli {

// How each expression is processed.
struct RunSettings {
    bool bolDegree = false;
    bool postfix = false;
    std::string decimalSeparator = ".";
};

// Runs expressions one at a time through the Calculate command's steps and
// prints on `out` the line the edit box would end with; message boxes go to
// `err`. Nothing but the generator behind RND carries from one expression to
// the next.
class ExpressionRunner {
public:
    ExpressionRunner(RunSettings settings, std::ostream& out, std::ostream& err);

    // True when the expression gave a result (with postfix: was translated).
    bool Run(std::string_view expression);

private:
    bool Calculate(std::string_view typed);
    bool Translate(std::string_view typed);

    RunSettings settings_;
    std::ostream& out_;
    StderrMessageService messages_;
};

} // namespace tallix::cli
