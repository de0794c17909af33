#pragma once

#include "engine/SyntaxError.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallix {

// What a translation produced.
struct TranslationResult {
    // Tokens in postfix order, each followed by one space; after a syntax
    // error, the tokens written before it.
    std::string postfix;
    // The first syntax error, or nothing when the whole text translated.
    std::optional<SyntaxError> error;
};

// Translates infix text into postfix text by operator precedence, showing
// nothing. Numbers are written as typed, PI as kPiText, X as "XX", a
// unary minus as "(-)", a function by its upper-case name; a unary plus
// writes nothing and parentheses never appear. May raise std::bad_alloc.
TranslationResult TranslateToPostfix(std::string_view infix);

} // namespace tallix
