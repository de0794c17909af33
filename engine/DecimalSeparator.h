#pragma once

#include <functional>
#include <string_view>

namespace tallix {

// The value of an environment variable, or null when it is not set.
using EnvironmentLookUp = std::function<const char*(const char* name)>;

// The locale that decides how numbers are written: LC_ALL, else LC_NUMERIC,
// else LANG, the first that is set and not empty; "" when none is.
std::string_view NumericLocaleName(const EnvironmentLookUp& lookUp);

// The decimal separator of results in a locale named
// language[_territory][.codeset][@modifier] ("de_DE.UTF-8", "pt_BR", "C"):
// "," where the locale writes a decimal comma, "." everywhere else. That
// includes locales whose own separator is neither (Pashto and most Arabic
// ones write U+066B), since a result must read back as a number. Decided
// from a table of the language's rule and its territorial exceptions, not
// from the locales the C library has installed.
std::string_view DecimalSeparatorForLocale(std::string_view localeName);

// The decimal separator for the locale this process's environment names.
std::string_view DecimalSeparatorFromEnvironment();

} // namespace tallix
