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

// A locale, and what the editor shows for kSample in it: the locale's
// characters, one stand-in per byte that begins none.
struct Locale {
    const char* name;
    std::wstring shown;
};

// Pi, a lone lead byte, then a character cut short before the digit 1 (\x31).
const std::string kSample = "\xCF\x80\xD7\xE2\x82\x31";

// clang-format off
const std::string kLonger[] = {"2\xC3\x97" "3", "\xE2\x82", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                               "\xF0\x9F\x98", "\xC0\xAF", "\xED\xB3\x83", "\xF4\x90\x80\x80",
                               "\xC3\xC3\x97", "\xE2\x82" "1+1", std::string("1\0" "2", 3)};
// clang-format on

// LC_CTYPE set for one test; the C locale put back after it.
class EveryByteString : public ::testing::TestWithParam<Locale> {
    void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

// Every string of one or two bytes, and longer ones around the edges of
// UTF-8 (cut short, overlong, surrogates, past U+10FFFF), comes back byte
// for byte: nothing typed is lost or changed on its way to the calculation,
// whatever the editor shows for it; a stand-in is never mistaken for a
// character.
TEST_P(EveryByteString, ComesBackAsTyped) {
    if (std::setlocale(LC_CTYPE, GetParam().name) == nullptr) {
        GTEST_SKIP() << "the locale is not installed";
    }
    EXPECT_EQ(Decode(kSample), GetParam().shown);
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
                         ::testing::Values(Locale{"C", L"\xDCCF\xDC80\xDCD7\xDCE2\xDC82\x31"},
                                           Locale{"C.UTF-8", L"\u03C0\xDCD7\xDCE2\xDC82\x31"}),
                         tallix::testing::RowName{});

TEST(TypedCharacters, CharacterTheLocaleCannotWriteIsRefusedNotDropped) {
    EXPECT_EQ(EncodeTypedLine(L"2\u00D73"), "2?3");
}

} // namespace
