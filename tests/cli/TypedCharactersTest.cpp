#include "cli/TypedCharacters.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

using tallix::cli::EncodeTypedLine;

std::wstring Decode(std::string_view bytes) {
    tallix::cli::TypedCharacters typed;
    std::wstring characters;
    for (std::size_t i = 0; i <= bytes.size(); ++i) { // each byte, then the end
        i < bytes.size() ? typed.Add(static_cast<unsigned char>(bytes[i]))
                         : static_cast<void>(typed.Finish());
        while (typed.HasCharacter()) {
            characters.push_back(typed.Take());
        }
    }
    return characters;
}

// LC_CTYPE set for one test; the C locale put back after it.
class InLocale : public ::testing::Test {
protected:
    static bool Set(const char* name) { return std::setlocale(LC_CTYPE, name) != nullptr; }
    void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

struct Locale {
    const char* name;
};

// clang-format off
const std::string kLonger[] = {"2\xC3\x97" "3", "\xE2\x82", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                               "\xF0\x9F\x98", "\xC0\xAF", "\xED\xB3\x83", "\xF4\x90\x80\x80",
                               "\xC3\xC3\x97", "\xE2\x82" "1+1", std::string("1\0" "2", 3)};
// clang-format on

class EveryByteString : public InLocale, public ::testing::WithParamInterface<Locale> {};

// Every string of one or two bytes, and longer ones around the edges of
// UTF-8 (cut short, overlong, surrogates, past U+10FFFF), comes back byte
// for byte: nothing typed is lost or changed on its way to the calculation.
TEST_P(EveryByteString, ComesBackAsTyped) {
    if (!Set(GetParam().name)) {
        GTEST_SKIP() << "the locale is not installed";
    }
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            std::string bytes(1, static_cast<char>(first));
            if (second >= 0) {
                bytes.push_back(static_cast<char>(second));
            }
            ASSERT_EQ(EncodeTypedLine(Decode(bytes)), bytes) << first << ", " << second;
        }
    }
    for (const std::string& bytes : kLonger) {
        EXPECT_EQ(EncodeTypedLine(Decode(bytes)), bytes) << bytes;
    }
}

INSTANTIATE_TEST_SUITE_P(TypedCharacters, EveryByteString,
                         ::testing::Values(Locale{"C"}, Locale{"C.UTF-8"}),
                         tallix::testing::RowName{});

// What the editor sees: the characters of the locale, one stand-in per byte
// that begins none, a stand-in never mistaken for a character.
struct Decoding {
    const char* name;
    const char* locale;
    std::string bytes;
    std::wstring characters;
};

// clang-format off
const Decoding kDecoded[] = {
    {"TimesSign", "C.UTF-8", "2\xC3\x97" "3", L"2\u00D73"},
    {"Pi", "C.UTF-8", "\xCF\x80+1", L"\u03C0+1"},
    {"LatinOneByte", "C.UTF-8", "2\xD7" "3", L"2\xDCD7" L"3"},
    {"CutShort", "C.UTF-8", "\xE2\x82" "1", L"\xDCE2\xDC82" L"1"},
    {"PiInTheCLocale", "C", "\xCF\x80+1", L"\xDCCF\xDC80+1"},
};
// clang-format on

class Decodes : public InLocale, public ::testing::WithParamInterface<Decoding> {};

TEST_P(Decodes, TheLocalesCharactersAndStandsInForOtherBytes) {
    if (!Set(GetParam().locale)) {
        GTEST_SKIP() << "the locale is not installed";
    }
    EXPECT_EQ(Decode(GetParam().bytes), GetParam().characters);
}

INSTANTIATE_TEST_SUITE_P(TypedCharacters, Decodes, ::testing::ValuesIn(kDecoded),
                         tallix::testing::RowName{});

TEST(TypedCharacters, CharacterTheLocaleCannotWriteIsRefusedNotDropped) {
    EXPECT_EQ(EncodeTypedLine(L"2\u00D73"), "2?3");
}

} // namespace
