#include "cli/TypedCharacters.h"

#include <climits>
#include <cwchar>

namespace tallix::cli {

namespace {

// Low surrogates: no multibyte decoding yields them, so each one can only be
// a stand-in for the byte in its low eight bits.
constexpr wchar_t kStandInBase = 0xDC00;

bool IsStandIn(wchar_t character) {
    return character >= kStandInBase && character <= kStandInBase + 0xFF;
}

} // namespace

void TypedCharacters::Add(unsigned char byte) {
    bytes_.push_back(static_cast<char>(byte));
    Decode();
}

bool TypedCharacters::Finish() {
    for (const char byte : bytes_) {
        characters_.push_back(kStandInBase + static_cast<unsigned char>(byte));
    }
    const bool hadBytes = !bytes_.empty();
    bytes_.clear();
    return hadBytes;
}

wchar_t TypedCharacters::Take() {
    const wchar_t character = characters_.front();
    characters_.pop_front();
    return character;
}

// Each character is decoded afresh from its first byte, so no shift state
// carries over (the terminal encodings in use have none). When the bytes
// cannot begin a character, the first one is a stand-in and the rest are
// tried again: they may begin the next character.
void TypedCharacters::Decode() {
    while (!bytes_.empty()) {
        std::mbstate_t state{};
        wchar_t character = 0;
        const std::size_t used = std::mbrtowc(&character, bytes_.data(), bytes_.size(), &state);
        const bool unfinished = used == static_cast<std::size_t>(-2);
        if (unfinished && bytes_.size() < MB_LEN_MAX) {
            return;
        }
        if (unfinished || used == static_cast<std::size_t>(-1)) {
            characters_.push_back(kStandInBase + static_cast<unsigned char>(bytes_.front()));
            bytes_.erase(0, 1);
            continue;
        }
        characters_.push_back(character);
        bytes_.erase(0, used == 0 ? 1 : used); // 0: the NUL character, one byte
    }
}

std::string EncodeTypedLine(std::wstring_view line) {
    std::string bytes;
    char encoded[MB_LEN_MAX];
    for (const wchar_t character : line) {
        if (IsStandIn(character)) {
            bytes.push_back(static_cast<char>(character - kStandInBase));
            continue;
        }
        std::mbstate_t state{};
        const std::size_t size = std::wcrtomb(encoded, character, &state);
        if (size == static_cast<std::size_t>(-1)) {
            bytes.push_back('?');
        } else {
            bytes.append(encoded, size);
        }
    }
    return bytes;
}

} // namespace tallix::cli
