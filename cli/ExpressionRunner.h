#pragma once

#include "cli/OutputBuffer.h"
#include "cli/StderrReporter.h"
#include "engine/Calculation.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tallix::cli {

// The longest expression calculated, as many characters as the window's
// edit box holds; a longer one is refused without being read whole.
inline constexpr std::size_t kMaxExpressionLength = 32767;

// How each expression is processed.
struct RunSettings {
    bool degrees = false;
    bool postfix = false;
    std::string decimalSeparator = ".";
};

// Runs expressions one at a time through the Calculate command's steps.
// Each one gives exactly one line on `out`, the line the edit box would end
// with, or an empty line when there is no result, so output lines pair with
// input lines; the reason goes to standard error. Nothing but the generator
// behind RND carries from one expression to the next.
class ExpressionRunner {
public:
    ExpressionRunner(RunSettings settings, OutputBuffer& out);

    // True when the expression gave a result (with postfix: was translated).
    bool Run(std::string_view expression, InputPlace place);
    // Answers an expression longer than kMaxExpressionLength that was not kept.
    void RefuseTooLong(InputPlace place);

private:
    std::optional<std::string> Answer(std::string_view expression);
    std::optional<std::string> Value(std::string_view typed);
    std::optional<std::string> Postfix(std::string_view typed);
    // Reports why the text was refused or did not translate; true when it did.
    bool Translated(const PreparedTranslation& steps);

    RunSettings settings_;
    OutputBuffer& out_;
    StderrReporter reasons_;
};

} // namespace tallix::cli
