#pragma once

#include <string_view>

namespace tallix::cli {

// Whether `value` may separate the decimals of results: exactly one
// character, "." or ",", which expressions read as their decimal point, or
// any other character that no expression holds and that prints: not a
// digit, a letter, an operator, a parenthesis, a space or a control
// character. A character is one byte of ASCII or one well-formed UTF-8
// sequence, whatever the locale. Any other separator would make a result
// read back as a different number or expression, or split its line.
bool IsUsableDecimalSeparator(std::string_view value);

} // namespace tallix::cli
