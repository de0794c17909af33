#include "engine/DecimalSeparator.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace tallix {

namespace {

constexpr std::string_view kPoint = ".";
constexpr std::string_view kComma = ",";

// The two tables follow the CLDR locale data that Qt ships, which the tests
// compare them with for every locale it knows. Locales whose separator is
// neither a point nor a comma (Arabic's U+066B) are in neither: they get a
// point.

// Languages that write a decimal comma in the territory they are chiefly
// spoken in. Sorted: looked up by binary search.
constexpr std::string_view kCommaLanguages[] = {
    "af",  "agq", "ast", "az",  "bas", "be",  "bg",  "br",  "bs",  "ca",  "cs", "da",  "de",
    "dsb", "dua", "dyo", "el",  "eo",  "es",  "et",  "eu",  "ewo", "ff",  "fi", "fo",  "fr",
    "fur", "fy",  "gl",  "hr",  "hsb", "hu",  "hy",  "ia",  "id",  "is",  "it", "jgo", "jv",
    "ka",  "kab", "kea", "kgp", "kk",  "kkj", "kl",  "km",  "ksf", "ksh", "ku", "ky",  "lb",
    "ln",  "lo",  "lt",  "lu",  "lv",  "mgh", "mk",  "mua", "nb",  "nds", "nl", "nmg", "nn",
    "nnh", "os",  "pl",  "pt",  "rn",  "ro",  "ru",  "rw",  "sah", "sc",  "se", "seh", "sg",
    "shi", "sk",  "sl",  "smn", "sq",  "sr",  "su",  "sv",  "tg",  "tk",  "tr", "tt",  "tzm",
    "uk",  "uz",  "vi",  "wae", "wo",  "yav", "yrl", "zgh",
};
static_assert(std::ranges::is_sorted(kCommaLanguages));

// Language_territory pairs that write the other separator than their
// language does: German in Switzerland a point, English in Germany a comma.
// Sorted: looked up by binary search.
constexpr std::string_view kTerritoryExceptions[] = {
    "ar_DZ", "ar_LY", "ar_MA", "ar_TN", "az_IR", "de_CH", "de_LI", "en_AT",  "en_BE",
    "en_DE", "en_DK", "en_FI", "en_NL", "en_SE", "en_SI", "en_ZA", "es_419", "es_BR",
    "es_BZ", "es_CU", "es_DO", "es_GT", "es_HN", "es_MX", "es_NI", "es_PA",  "es_PE",
    "es_PR", "es_SV", "es_US", "it_CH", "ms_BN", "ms_ID", "qu_BO", "sw_CD",  "uz_AF",
};
static_assert(std::ranges::is_sorted(kTerritoryExceptions));

std::string InCase(std::string_view part, bool upper) {
    std::string cased(part);
    for (char& c : cased) {
        const auto u = static_cast<unsigned char>(c);
        c = static_cast<char>(upper ? std::toupper(u) : std::tolower(u));
    }
    return cased;
}

// The language in lower case and the territory in upper case, as the tables
// spell them: "de_de.UTF-8@euro" gives "de" and "de_DE"; a name without a
// territory gives the language alone in both.
struct LocaleKeys {
    std::string language;
    std::string languageAndTerritory;
};

LocaleKeys KeysOf(std::string_view localeName) {
    const std::string_view withoutCodeset = localeName.substr(0, localeName.find_first_of(".@"));
    const std::size_t split = withoutCodeset.find_first_of("_-");
    LocaleKeys keys;
    keys.language = InCase(withoutCodeset.substr(0, split), false);
    keys.languageAndTerritory = keys.language;
    if (split != std::string_view::npos) {
        keys.languageAndTerritory += '_' + InCase(withoutCodeset.substr(split + 1), true);
    }
    return keys;
}

} // namespace

std::string_view NumericLocaleName(const EnvironmentLookUp& lookUp) {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = lookUp(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

std::string_view DecimalSeparatorForLocale(std::string_view localeName) {
    const LocaleKeys keys = KeysOf(localeName);
    const bool languageComma = std::ranges::binary_search(kCommaLanguages, keys.language);
    const bool exception =
        std::ranges::binary_search(kTerritoryExceptions, keys.languageAndTerritory);
    return languageComma != exception ? kComma : kPoint;
}

std::string_view DecimalSeparatorFromEnvironment() {
    return DecimalSeparatorForLocale(
        NumericLocaleName([](const char* name) { return std::getenv(name); }));
}

} // namespace tallix
