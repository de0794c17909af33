#pragma once

#include "engine/TaggedValue.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace tallix {

// What a function gives for one operand: a tagged number, or nothing when
// the function has no real value there (the evaluator then takes its
// cannot-calculate outcome). A value outside the double range is raised as
// an EngineError instead.
using FunctionOutcome = std::optional<TaggedNumber>;

// One of the thirty functions of one argument.
struct LibraryFunction {
    std::string_view name; // upper case, as the translator writes it into postfix text
    bool takesAngle;       // the argument is converted from degrees in degree mode
    FunctionOutcome (*compute)(double x);
};

// The function whose name equals sToken exactly (case-sensitive), or null.
const LibraryFunction* FindFunction(std::string_view sToken) noexcept;
// The function whose name the text spells in any letter case, or null.
const LibraryFunction* FindFunctionIgnoringCase(std::string_view name) noexcept;
// The functions are numbered from 0 in the library's own order, so that
// the translator can stack one as a small number: FunctionAt(FunctionIndex(f))
// is f, for an index below kFunctionNames.size().
std::size_t FunctionIndex(const LibraryFunction& function) noexcept;
const LibraryFunction& FunctionAt(std::size_t index) noexcept;

// Applies a function to x. In degree mode (degrees true) the argument of
// SIN, COS, TAN, SEC, CSEC and CTAN becomes x * kPi / 180 first.
FunctionOutcome ApplyFunction(const LibraryFunction& function, double x, bool degrees);

} // namespace tallix
