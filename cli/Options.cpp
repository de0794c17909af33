#include "cli/Options.h"

#include "cli/DecimalSeparatorRule.h"

namespace tallix::cli {

namespace {

constexpr std::string_view kSeparatorOption = "--decimal-separator";

// Applies one flag option; false when the argument names no flag.
bool ApplyFlag(std::string_view argument, Options& options) {
    if (argument == "--degrees" || argument == "--radians") {
        options.degrees = argument == "--degrees";
    } else if (argument == "--postfix") {
        options.postfix = true;
    } else if (argument == "--help" || argument == "-h") {
        options.help = true;
    } else if (argument == "--line-buffered" || argument == "-u") {
        options.lineBuffered = true;
    } else if (argument == "--version") {
        options.version = true;
    } else {
        return false;
    }
    return true;
}

std::string SetSeparator(std::string_view value, Options& options) {
    if (!IsUsableDecimalSeparator(value)) {
        return "the decimal separator must be one character other than a digit, a letter, "
               "an operator, a parenthesis, a space or a control character";
    }
    options.decimalSeparator = std::string(value);
    return {};
}

} // namespace

ParsedOptions ParseOptions(std::span<const std::string_view> arguments) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    std::size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--") {
            ++i;
            break;
        }
        if (argument == kStandardInputOperand || !argument.starts_with('-')) {
            break; // the first operand; everything after it is one too
        }
        if (ApplyFlag(argument, options)) {
            continue;
        }
        if (argument == kSeparatorOption) {
            if (i + 1 == arguments.size()) {
                parsed.usageError = "option '--decimal-separator' needs a value";
                return parsed;
            }
            parsed.usageError = SetSeparator(arguments[++i], options);
        } else if (argument.starts_with(std::string(kSeparatorOption) + "=")) {
            parsed.usageError = SetSeparator(argument.substr(kSeparatorOption.size() + 1), options);
        } else {
            parsed.usageError = "unknown option '" + std::string(argument) +
                                "' (put '--' before an expression that begins with '-')";
        }
        if (!parsed.usageError.empty()) {
            return parsed;
        }
    }
    options.operands.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
    return parsed;
}

} // namespace tallix::cli
