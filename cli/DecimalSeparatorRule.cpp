#include "cli/DecimalSeparatorRule.h"

#include "engine/NIModule.h"

#include <array>
#include <optional>
#include <string>

namespace tallix::cli {

namespace {

// The code point of `text` when it is exactly one well-formed UTF-8
// character: no overlong form, no surrogate, nothing past U+10FFFF.
std::optional<char32_t> SoleCharacter(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t size = lead < 0x80   ? 1
                             : lead < 0xC0 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF8 ? 4
                                           : 0;
    if (size == 0 || text.size() != size) {
        return std::nullopt;
    }
    char32_t code = size == 1 ? lead : lead & (0x7Fu >> size);
    for (const char byte : text.substr(1)) {
        const auto next = static_cast<unsigned char>(byte);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = code << 6 | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[size] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return code;
}

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

} // namespace

bool IsUsableDecimalSeparator(std::string_view value) {
    const std::optional<char32_t> code = SoleCharacter(value);
    if (!code || IsControl(*code)) {
        return false;
    }
    if (value == "." || value == ",") {
        return true;
    }
    std::string unused;
    return !NIModule::ValidateExpression(value, unused);
}

} // namespace tallix::cli
