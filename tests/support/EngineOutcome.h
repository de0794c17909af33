#pragma once

#include "engine/EngineError.h"
#include "engine/Evaluation.h"

#include <array>
#include <string>

// The engine's outcomes as texts, so that a table row states what the user
// is told in one column and a failure names it.
namespace tallix::testing {

inline std::string FailureText(const EngineError& error) {
    return std::to_string(error.Number()) + " " + error.Description();
}

// The failure a call raises, or "none".
template <typename Call> std::string Raised(Call call) {
    try {
        call();
    } catch (const EngineError& error) {
        return FailureText(error);
    }
    return "none";
}

// In the order of EvalOutcome.
inline std::string OutcomeName(EvalOutcome outcome) {
    return std::array{"no token", "value", "cannot calculate", "failure"}.at(
        static_cast<std::size_t>(outcome));
}

// The outcome's name, or a failure's number and description.
inline std::string OutcomeText(const EvaluationResult& e) {
    return e.outcome == EvalOutcome::Failure
               ? FailureText(EngineError(e.errorNumber, e.errorDescription))
               : OutcomeName(e.outcome);
}

} // namespace tallix::testing
