#pragma once

#include <string>
#include <string_view>

namespace tallix {

// Writes a result as the calculator shows it: rounded to seven significant
// digits; plain notation for decimal exponents -4 to 6 (3, -2.5, 0.3333333,
// 1234567, 0.0001), otherwise mantissa, "E", sign and at least two exponent
// digits (1.234568E+07, 1E-05); zero and negative zero as "0"; no grouping.
// decimalSeparator replaces "." (the user's regional setting).
std::string FormatResult(float value, std::string_view decimalSeparator);

} // namespace tallix
