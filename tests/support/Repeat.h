#pragma once

#include <string>
#include <string_view>

namespace tallix::testing {

// `piece` written `count` times: deep nesting and long inputs, spelled out.
inline std::string Repeat(std::string_view piece, int count) {
    std::string text;
    while (count-- > 0) {
        text += piece;
    }
    return text;
}

} // namespace tallix::testing
