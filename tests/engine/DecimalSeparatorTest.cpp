#include "engine/DecimalSeparator.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tallix {
namespace {

// LC_ALL, LC_NUMERIC and LANG, then the separator; null stands for a
// variable that is not set.
struct LocaleCase {
    const char* name;
    const char *lcAll, *lcNumeric, *lang, *separator;
};

// A row named after the locale LC_ALL holds.
LocaleCase InLocale(const char* locale, const char* separator) {
    return {locale, locale, nullptr, nullptr, separator};
}

// None of these locales need be installed: the answer must not depend on it.
// The first locale variable set decides. In its name codeset, modifier and
// case do not matter; a territory can overrule its language either way; a
// separator other than a point or a comma gives a point.
// clang-format off
const LocaleCase kCases[] = {
    {"NothingSet",            nullptr, nullptr, nullptr,                   "."},
    {"LangAlone",             nullptr, nullptr, "de_DE.UTF-8",             ","},
    {"NumericOverLang",       nullptr, "en_US.UTF-8", "fr_FR.UTF-8",       "."},
    {"AllOverEverything",     "de_AT.UTF-8", "en_GB.UTF-8", "en_US.UTF-8", ","},
    {"AllWithOtherSeparator", "ps_AF.UTF-8", nullptr, "de_DE.UTF-8",       "."},
    {"EmptyAllIsUnset",       "", "nl_NL", "en_US",                        ","},
    {"AllEmpty",              "", "", "",                                  "."},
    {"CLocaleOverGermanLang", "C.UTF-8", nullptr, "de_DE.UTF-8",           "."},
    InLocale("de_DE.UTF-8@euro", ","), InLocale("de_de", ","),       InLocale("DE", ","),
    InLocale("de-AT", ","),            InLocale("de_US", ","),       InLocale("de_CH.UTF-8", "."),
    InLocale("en_DK.UTF-8", ","),      InLocale("es_419", "."),      InLocale("ar_EG.UTF-8", "."),
    InLocale("ar_MA", ","),            InLocale("ps_AF", "."),       InLocale("C", "."),
    InLocale("xx_YY.UTF-8", "."),      InLocale("_DE", "."),         InLocale("@euro", "."),
};
// clang-format on

class DecimalSeparator : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(DecimalSeparator, FollowsTheLocale) {
    const LocaleCase& c = GetParam();
    const auto environment = [&c](std::string_view name) {
        return name == "LC_ALL" ? c.lcAll : name == "LC_NUMERIC" ? c.lcNumeric : c.lang;
    };
    EXPECT_EQ(DecimalSeparatorForLocale(NumericLocaleName(environment)), c.separator);
}

INSTANTIATE_TEST_SUITE_P(Locales, DecimalSeparator, ::testing::ValuesIn(kCases),
                         testing::RowName{});

} // namespace
} // namespace tallix
