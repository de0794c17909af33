#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace tallix {

// A value on an operand stack: a number (double, single or 16-bit integer)
// or a text. The translator stacks texts, the evaluator numbers; the tag of
// a number is kept so that callers can see how it was produced, but every
// number is read as a double.
using TaggedValue = std::variant<double, float, std::int16_t, std::string>;

// The numeric value of a tagged number, as a double. A text reads as 0;
// the evaluator never stacks texts.
inline double ToDouble(const TaggedValue& value) {
    if (const auto* d = std::get_if<double>(&value)) {
        return *d;
    }
    if (const auto* f = std::get_if<float>(&value)) {
        return *f;
    }
    if (const auto* i = std::get_if<std::int16_t>(&value)) {
        return *i;
    }
    return 0.0;
}

} // namespace tallix
