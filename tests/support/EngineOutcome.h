#pragma once

#include "engine/EngineError.h"
#include "engine/Evaluation.h"

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

inline std::string OutcomeName(EvalOutcome outcome) {
    switch (outcome) {
    case EvalOutcome::Value:
        return "value";
    case EvalOutcome::CannotCalculate:
        return "cannot calculate";
    case EvalOutcome::NoToken:
        return "no token";
    case EvalOutcome::Failure:
        break;
    }
    return "failure";
}

// The outcome's name, or a failure's number and description.
inline std::string OutcomeText(const EvaluationResult& e) {
    return e.outcome == EvalOutcome::Failure
               ? FailureText(EngineError(e.errorNumber, e.errorDescription))
               : OutcomeName(e.outcome);
}

} // namespace tallix::testing
