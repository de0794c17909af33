#pragma once

#include <cstdint>
#include <string_view>

namespace tallix {

// PI as expressions know it. The translator writes this text into postfix
// text for the name PI and the evaluator reads it back; degree conversion
// and the ends of ASIN and ACOS use the same value, kPi.
inline constexpr std::string_view kPiText = "3.1415926";

namespace detail {
// The value of digits with at most one "." among them: the digits as one
// integer divided by a power of ten. For up to 15 digits both are exact
// doubles, so the division's one rounding gives the double nearest the text,
// the one that reading the text gives.
constexpr double DecimalValue(std::string_view text) {
    std::int64_t digits = 0;
    double scale = 1.0;
    bool fraction = false;
    for (char c : text) {
        if (c == '.') {
            fraction = true;
            continue;
        }
        digits = digits * 10 + (c - '0');
        scale *= fraction ? 10.0 : 1.0;
    }
    return static_cast<double>(digits) / scale;
}
} // namespace detail

static_assert(kPiText.size() <= 16, "the value is exact only for up to 15 digits");
inline constexpr double kPi = detail::DecimalValue(kPiText);

} // namespace tallix
