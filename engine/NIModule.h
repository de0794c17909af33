#pragma once

#include <string>
#include <string_view>

// NIModule: the input check and the implicit multiplication, the first two
// steps of every calculation (see PrepareAndTranslate).
namespace tallix::NIModule {

// Accepts text made only of digits, letters A-Z/a-z, ".", "+", "-", "*", "/",
// "^", parentheses, spaces and commas. On true, sOutput holds the text with
// spaces dropped and each "," turned into "."; the empty text and a single
// space become "0". Any other character gives false.
bool ValidateExpression(std::string_view sExpression, std::string& sOutput);

// Inserts the "*" of a product written without its sign: 2x, 2(x+1),
// (x+1)(x-1), (x+1)2, x2, pi(2). Looks only at the input, never at what it
// has already inserted.
std::string InsertImplicitMultiply(std::string_view t);

} // namespace tallix::NIModule
