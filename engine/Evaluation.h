#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tallix {

// How an evaluation ended.
enum class EvalOutcome {
    NoToken,         // the text held no token (no space): there is no value
    Value,           // value holds the result, rounded to single precision
    CannotCalculate, // a guard fired: division by zero, a negative base with a
                     // fractional exponent, a function outside its domain
    Failure,         // errorNumber and errorDescription say why: an arithmetic
                     // failure, or a bad token or an empty stack that a correct
                     // translation never causes (numbers in EngineError.h)
};

struct EvaluationResult {
    EvalOutcome outcome = EvalOutcome::NoToken;
    float value = 0.0f;
    std::int32_t errorNumber = 0;
    std::string errorDescription;
};

// Evaluates postfix text (tokens each followed by one space; anything after
// the last space is ignored) in double precision, on a fresh operand stack,
// in degrees when degrees is true (else radians), with x as the value of the
// variable token "XX". Shows nothing. An allocation failure is not an evaluation
// outcome: std::bad_alloc passes to the caller.
EvaluationResult EvaluatePostfix(std::string_view postfix, bool degrees, float x);

} // namespace tallix
