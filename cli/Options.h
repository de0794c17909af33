#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallix::cli {

// The operand that stands for the lines of standard input.
inline constexpr std::string_view kStandardInputOperand = "-";

// What the command line asked for.
struct Options {
    bool degrees = false;      // --degrees; --radians (the default) clears it
    bool postfix = false;      // --postfix: translate only, print the postfix text
    bool help = false;         // --help or -h
    bool version = false;      // --version
    bool lineBuffered = false; // --line-buffered or -u: write each line at once
    std::optional<std::string> decimalSeparator; // --decimal-separator C; else the locale's
    // Expressions, and kStandardInputOperand; none: standard input alone.
    std::vector<std::string> operands;
};

// Either the options or the reason the command line is unusable.
struct ParsedOptions {
    Options options;
    std::string usageError; // empty when the command line is usable
};

// Parses the arguments after the program name. Options come first; the first
// argument that is "-" or does not begin with "-", and every argument after
// it or after "--", is an operand, so an expression that begins with "-"
// needs the "--".
ParsedOptions ParseOptions(std::span<const std::string_view> arguments);

} // namespace tallix::cli
