#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tallix {

// The thirty functions of one argument, by the name the translator writes
// into postfix text and the evaluator reads back: the one list of their
// names, which every other list of functions is checked against.
//
// Invariant: upper case A-Z only, no duplicates (checked below). The
// function library holds one row for each name, which carries the name
// (checked there); names are found through a hash of the whole name, so
// the order decides nothing but the order of listings.
inline constexpr std::array<std::string_view, 30> kFunctionNames = {
    "SIN",  "COS",   "LOG",  "EXP",   "ABS",   "ATAN",  "INT",   "RND",   "SQR",    "TAN",
    "SEC",  "CSEC",  "CTAN", "ASIN",  "ACOS",  "ASEC",  "ACSEC", "ACTAN", "SINH",   "COSH",
    "TANH", "CTANH", "SECH", "CSECH", "ASINH", "ACOSH", "ATANH", "ASECH", "ACSECH", "ACTANH",
};

namespace detail {
constexpr bool IsUpperName(std::string_view name) {
    for (char c : name) {
        if (c < 'A' || c > 'Z') {
            return false;
        }
    }
    return !name.empty();
}

constexpr bool FunctionNamesHoldInvariant() {
    for (std::size_t i = 0; i < kFunctionNames.size(); ++i) {
        if (!IsUpperName(kFunctionNames[i])) {
            return false;
        }
        for (std::size_t j = i + 1; j < kFunctionNames.size(); ++j) {
            if (kFunctionNames[i] == kFunctionNames[j]) {
                return false;
            }
        }
    }
    return true;
}
} // namespace detail

static_assert(detail::FunctionNamesHoldInvariant(),
              "function names must be upper-case letters and unique");

// Length of the longest function name; a longer name is never a function.
inline constexpr std::size_t kLongestFunctionName = [] {
    std::size_t longest = 0;
    for (std::string_view name : kFunctionNames) {
        longest = name.size() > longest ? name.size() : longest;
    }
    return longest;
}();

} // namespace tallix
