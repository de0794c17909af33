#pragma once

#include <array>
#include <string_view>

namespace tallix {

// The entries of the main window's function list, in the order shown.
// Invariant: every function the translator knows, in lower case and followed
// by "()", except "sech" and "csech", which can still be typed.
inline constexpr std::array<std::string_view, 28> kFunctionListEntries = {
    "abs()",   "atan()",  "cos()",   "exp()",   "int()",   "log()",    "rnd()",
    "sin()",   "sqr()",   "tan()",   "sec()",   "csec()",  "ctan()",   "asin()",
    "acos()",  "asec()",  "acsec()", "actan()", "sinh()",  "cosh()",   "tanh()",
    "ctanh()", "asinh()", "acosh()", "atanh()", "asech()", "acsech()", "actanh()",
};

} // namespace tallix
