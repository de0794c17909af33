#pragma once

#include "engine/FunctionNames.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace tallix {

// The entries of the main window's function list, in the order shown.
// Invariant: every function the translator knows, in lower case and followed
// by "()", except those in kUnlistedFunctions, which can still be typed
// (checked below against kFunctionNames).
inline constexpr std::array<std::string_view, 28> kFunctionListEntries = {
    "abs()",   "atan()",  "cos()",   "exp()",   "int()",   "log()",    "rnd()",
    "sin()",   "sqr()",   "tan()",   "sec()",   "csec()",  "ctan()",   "asin()",
    "acos()",  "asec()",  "acsec()", "actan()", "sinh()",  "cosh()",   "tanh()",
    "ctanh()", "asinh()", "acosh()", "atanh()", "asech()", "acsech()", "actanh()",
};

inline constexpr std::array<std::string_view, 2> kUnlistedFunctions = {"SECH", "CSECH"};

namespace detail {
// True when entry is name in lower case followed by "()".
constexpr bool IsListEntryOf(std::string_view entry, std::string_view name) {
    if (entry.size() != name.size() + 2 || !entry.ends_with("()")) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (entry[i] != name[i] - 'A' + 'a') {
            return false;
        }
    }
    return true;
}

constexpr std::size_t ListEntriesOf(std::string_view name) {
    std::size_t count = 0;
    for (std::string_view entry : kFunctionListEntries) {
        count += IsListEntryOf(entry, name) ? 1 : 0;
    }
    return count;
}

constexpr bool IsUnlisted(std::string_view name) {
    for (std::string_view unlisted : kUnlistedFunctions) {
        if (unlisted == name) {
            return true;
        }
    }
    return false;
}

// Each function listed exactly once unless unlisted; with the sizes adding
// up, no entry names anything else.
constexpr bool FunctionListFollowsFunctionNames() {
    for (std::string_view name : kFunctionNames) {
        if (ListEntriesOf(name) != (IsUnlisted(name) ? 0u : 1u)) {
            return false;
        }
    }
    return kFunctionListEntries.size() + kUnlistedFunctions.size() == kFunctionNames.size();
}
} // namespace detail

static_assert(detail::FunctionListFollowsFunctionNames(),
              "the function list must hold every function name but the unlisted ones");

} // namespace tallix
