#pragma once

#include "engine/EngineError.h"

#include <cmath>
#include <string>

namespace tallix {

// Raises the arithmetic failure for a value that is not a finite double:
// an infinity means the value left the double range, a not-a-number that
// the step had no defined result.
[[noreturn]] inline void RaiseArithmeticFailure(double value) {
    if (std::isnan(value)) {
        throw EngineError(ErrorNumber::InvalidOperation,
                          std::string(ErrorDescription::InvalidOperation));
    }
    throw EngineError(ErrorNumber::Overflow, std::string(ErrorDescription::Overflow));
}

// Passes a finite value through; anything else ends the calculation with
// an arithmetic failure, never with a value or the cannot-calculate outcome.
inline double Checked(double value) {
    if (!std::isfinite(value)) [[unlikely]] {
        RaiseArithmeticFailure(value);
    }
    return value;
}

} // namespace tallix
