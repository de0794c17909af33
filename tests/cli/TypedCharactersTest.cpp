#include "cli/TypedCharacters.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <tuple>

namespace {

using tallix::cli::EncodeTypedLine;
using tallix::cli::TypedCharacters;

std::wstring Decode(std::string_view bytes) {
    TypedCharacters typed;
    std::wstring characters;
    const auto takeAll = [&] {
        while (typed.HasCharacter()) {
            characters.push_back(typed.Take());
        }
    };
    for (const char byte : bytes) {
        typed.Add(static_cast<unsigned char>(byte));
        takeAll();
    }
    typed.Finish();
    takeAll();
    return characters;
}

// Sets LC_CTYPE for one test and puts the C locale back after it.
class InLocale {
public:
    explicit InLocale(const char* name) : set_(std::setlocale(LC_CTYPE, name) != nullptr) {}
    ~InLocale() { std::setlocale(LC_CTYPE, "C"); }
    bool Set() const { return set_; }

private:
    bool set_;
};

const char* const kLocales[] = {"C", "C.UTF-8"};

// Every string of one or two bytes, and longer ones around the edges of
// UTF-8 (cut short, overlong, surrogates, past U+10FFFF), comes back byte
// for byte: nothing typed is lost or changed on its way to the calculation.
TEST(TypedCharacters, EveryByteStringComesBackAsTyped) {
    const std::string longer[] = {"2\xC3\x97"
                                  "3",
                                  "\xE2\x82",
                                  "\xE2\x82\xAC",
                                  "\xF0\x9F\x98\x80",
                                  "\xF0\x9F\x98",
                                  "\xC0\xAF",
                                  "\xED\xB3\x83",
                                  "\xF4\x90\x80\x80",
                                  "\xC3\xC3\x97",
                                  "\xE2\x82"
                                  "1+1",
                                  std::string("1\0"
                                              "2",
                                              3)};
    for (const char* name : kLocales) {
        const InLocale locale(name);
        if (!locale.Set()) {
            GTEST_SKIP() << "the locale " << name << " is not installed";
        }
        for (int first = 0; first < 256; ++first) {
            for (int second = -1; second < 256; ++second) {
                std::string bytes(1, static_cast<char>(first));
                if (second >= 0) {
                    bytes.push_back(static_cast<char>(second));
                }
                ASSERT_EQ(EncodeTypedLine(Decode(bytes)), bytes)
                    << name << ": " << first << ", " << second;
            }
        }
        for (const std::string& bytes : longer) {
            EXPECT_EQ(EncodeTypedLine(Decode(bytes)), bytes) << name << ": " << bytes;
        }
    }
}

// What the editor sees: the characters of the locale, one stand-in per byte
// that begins none, a stand-in never mistaken for a character.
// clang-format off
const std::tuple<const char*, std::string, std::wstring> kDecoded[] = {
    {"C.UTF-8", "2\xC3\x97" "3",     L"2\u00D73"},
    {"C.UTF-8", "\xCF\x80+1",        L"\u03C0+1"},
    {"C.UTF-8", "2\xD7" "3",         L"2\xDCD7" L"3"},
    {"C.UTF-8", "\xE2\x82" "1",      L"\xDCE2\xDC82" L"1"},
    {"C",       "\xCF\x80+1",        L"\xDCCF\xDC80+1"},
};
// clang-format on

TEST(TypedCharacters, DecodesTheLocalesCharactersAndStandsInForOtherBytes) {
    for (const auto& [name, bytes, characters] : kDecoded) {
        const InLocale locale(name);
        if (!locale.Set()) {
            GTEST_SKIP() << "the locale " << name << " is not installed";
        }
        EXPECT_EQ(Decode(bytes), characters) << name << ": " << bytes;
    }
}

TEST(TypedCharacters, CharacterTheLocaleCannotWriteIsRefusedNotDropped) {
    EXPECT_EQ(EncodeTypedLine(L"2\u00D73"), "2?3");
}

} // namespace
