#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace tallix {

// A number as the evaluator stacks it: a double, a single or a 16-bit
// integer. The tag shows how the number was produced, but every number is
// read as a double. Sixteen bytes, so the evaluator's stack grows by at most
// that much per operand.
using TaggedNumber = std::variant<double, float, std::int16_t>;

// A value on an operand stack in general: a number of any of those tags, or
// a text.
using TaggedValue = std::variant<double, float, std::int16_t, std::string>;

// The numeric value of a tagged number, as a double.
inline double ToDouble(const TaggedNumber& value) {
    return std::visit([](auto number) { return static_cast<double>(number); }, value);
}

} // namespace tallix
