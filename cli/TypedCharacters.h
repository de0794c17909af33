#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace tallix::cli {

// Wide characters from the bytes a terminal sends, in the encoding of the
// locale's LC_CTYPE, losing none: a byte that begins no character of that
// encoding (any byte above 127 in the C locale, a stray byte in UTF-8)
// becomes a stand-in, a code point no decoding gives, which
// EncodeTypedLine turns back into the same byte. So a line reaches the
// calculation byte for byte as it was typed, whatever the locale.
class TypedCharacters {
public:
    // Takes the next byte typed.
    void Add(unsigned char byte);
    // At the end of the input: the bytes of an unfinished character become
    // stand-ins. False when there were none.
    bool Finish();

    bool HasCharacter() const { return !characters_.empty(); }
    // The oldest character not yet taken; only when HasCharacter().
    wchar_t Take();

private:
    void Decode();

    std::string bytes_; // the bytes of a character begun but not finished
    std::deque<wchar_t> characters_;
};

// The bytes of a line of characters from TypedCharacters, in the locale's
// encoding, stand-ins turned back into their bytes. A character the locale
// cannot write, which typing never gives, becomes "?", which no expression
// accepts, so the line is refused rather than calculated without it.
std::string EncodeTypedLine(std::wstring_view line);

} // namespace tallix::cli
