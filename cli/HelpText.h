#pragma once

#include <string_view>

namespace tallix::cli {

// The text of --help: usage, syntax, operators, functions, messages, exit codes.
std::string_view HelpText();

// The text of --version.
inline constexpr std::string_view kVersionText = "tallix-cli 1.0";

} // namespace tallix::cli
