#include "engine/DecimalSeparator.h"
#include "engine/Calculation.h"
#include "engine/ResultText.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tallix {
namespace {

// An environment of three variables; null stands for one that is not set.
struct Environment {
    const char* lcAll;
    const char* lcNumeric;
    const char* lang;

    const char* operator()(std::string_view name) const {
        return name == "LC_ALL" ? lcAll : name == "LC_NUMERIC" ? lcNumeric : lang;
    }
};

// None of these locales need be installed: the answer must not depend on it.
// Name, environment, then the locale that decides and its separator.
// clang-format off
const std::tuple<const char*, Environment, const char*, const char*> kEnvironments[] = {
    {"NothingSet",              {nullptr, nullptr, nullptr},                    "",             "."},
    {"LangAlone",               {nullptr, nullptr, "de_DE.UTF-8"},              "de_DE.UTF-8",  ","},
    {"NumericOverLang",         {nullptr, "en_US.UTF-8", "fr_FR.UTF-8"},        "en_US.UTF-8",  "."},
    {"AllOverEverything",       {"de_AT.UTF-8", "en_GB.UTF-8", "en_US.UTF-8"},  "de_AT.UTF-8",  ","},
    {"AllWithOtherSeparator",   {"ps_AF.UTF-8", nullptr, "de_DE.UTF-8"},        "ps_AF.UTF-8",  "."},
    {"EmptyAllIsUnset",         {"", "nl_NL", "en_US"},                         "nl_NL",        ","},
    {"AllEmpty",                {"", "", ""},                                   "",             "."},
    {"CLocaleOverGermanLang",   {"C.UTF-8", nullptr, "de_DE.UTF-8"},            "C.UTF-8",      "."},
};
// clang-format on

TEST(DecimalSeparator, FollowsTheFirstLocaleVariableSet) {
    for (const auto& [name, environment, locale, separator] : kEnvironments) {
        const std::string_view decided = NumericLocaleName(environment);
        EXPECT_EQ(decided, locale) << name;
        EXPECT_EQ(DecimalSeparatorForLocale(decided), separator) << name;
    }
}

// Codeset, modifier and case do not matter; a territory can overrule its
// language either way; a separator other than a point or a comma gives a
// point. Locale name, separator.
// clang-format off
const std::pair<const char*, const char*> kLocales[] = {
    {"de_DE.UTF-8@euro", ","}, {"de_de", ","},       {"DE", ","},          {"de-AT", ","},
    {"de_US", ","},            {"de_CH.UTF-8", "."}, {"en_DK.UTF-8", ","}, {"es_419", "."},
    {"ar_EG.UTF-8", "."},      {"ar_MA", ","},       {"ps_AF", "."},       {"C", "."},
    {"xx_YY.UTF-8", "."},      {"_DE", "."},         {"@euro", "."},
};
// clang-format on

TEST(DecimalSeparator, ReadsLanguageAndTerritoryOfTheLocaleName) {
    for (const auto& [locale, separator] : kLocales) {
        EXPECT_EQ(DecimalSeparatorForLocale(locale), separator) << locale;
    }
}

// Every plain-notation result, written for any locale, is accepted and
// calculates to the same text again.
TEST(DecimalSeparator, ResultsCalculateAgainInEveryLocale) {
    const float kValues[] = {2.5f, -2.5f, 1.0f / 3.0f, -2.0f / 3.0f, 1234567.0f, 0.0001f, 3.0f};
    for (const char* locale : {"de_DE.UTF-8", "en_US.UTF-8", "ps_AF.UTF-8", "ar_EG", "C", ""}) {
        const std::string_view separator = DecimalSeparatorForLocale(locale);
        for (float value : kValues) {
            const std::string text = FormatResult(value, separator);
            const CalculationResult again = Calculate(text, {.decimalSeparator = separator});
            EXPECT_EQ(again.resultText, text) << locale;
        }
    }
}

} // namespace
} // namespace tallix
