// Any bytes, typed into the edit box and calculated in both angle modes,
// must end in one of the outcomes the window knows how to show: a result
// text, the illegal-expression warning, a syntax error at a position inside
// the translated text, "cannot calculate", or an arithmetic failure.
// Anything else aborts, and the sanitizers catch the rest.
#include "engine/Calculation.h"
#include "engine/EngineError.h"
#include "engine/NIModule.h"
#include "engine/ResultText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using tallix::CalculationResult;
using tallix::EvalOutcome;

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "unexpected outcome: %s\n", what);
        std::abort();
    }
}

// "Character N:  message" would show N; it must lie within the translated
// text, and the message must be the table's, the name filled in.
void RequireSyntaxErrorWithin(const tallix::SyntaxError& error, std::size_t length) {
    Require(error.position >= 0 && static_cast<std::size_t>(error.position) <= length,
            "syntax error position within the text");
    const std::string_view row =
        tallix::kSyntaxErrors[static_cast<std::size_t>(error.kind)].message;
    const std::string_view lead = row.substr(0, row.find(tallix::kSyntaxErrorName));
    Require(std::string_view(error.message).starts_with(lead), "syntax error message");
}

void RequireKnownOutcome(const CalculationResult& result) {
    const tallix::EvaluationResult& evaluation = result.evaluation;
    switch (evaluation.outcome) {
    case EvalOutcome::Value:
        Require(std::isfinite(evaluation.value), "finite value");
        Require(result.resultText == tallix::FormatResult(evaluation.value, "."), "result text");
        return;
    case EvalOutcome::CannotCalculate:
        return;
    case EvalOutcome::Failure:
        Require(evaluation.errorNumber == tallix::ErrorNumber::Overflow ||
                    evaluation.errorNumber == tallix::ErrorNumber::InvalidOperation,
                "only arithmetic failures");
        return;
    case EvalOutcome::NoToken:
        break;
    }
    Require(false, "a translated text always holds a token");
}

void CalculateIn(std::string_view typed, bool degrees) {
    const CalculationResult result = tallix::Calculate(typed, {.degrees = degrees});
    if (!result.prepared) {
        return;
    }
    if (result.translation.error) {
        const std::size_t length =
            tallix::NIModule::InsertImplicitMultiply(*result.prepared).size();
        RequireSyntaxErrorWithin(*result.translation.error, length);
        return;
    }
    RequireKnownOutcome(result);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    CalculateIn(typed, false);
    CalculateIn(typed, true);
    return 0;
}
