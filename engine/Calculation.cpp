#include "engine/Calculation.h"

#include "engine/NIModule.h"
#include "engine/ResultText.h"

#include <utility>

namespace tallix {

PreparedTranslation PrepareAndTranslate(std::string_view typed) {
    PreparedTranslation steps;
    std::string prepared;
    if (NIModule::ValidateExpression(typed, prepared)) {
        steps.translation = TranslateToPostfix(NIModule::InsertImplicitMultiply(prepared));
        steps.prepared = std::move(prepared);
    }
    return steps;
}

CalculationResult Calculate(std::string_view typed, const CalculationSettings& settings) {
    CalculationResult result{PrepareAndTranslate(typed), {}, {}};
    if (!result.prepared || result.translation.error) {
        return result;
    }
    result.evaluation = EvaluatePostfix(result.translation.postfix, settings.degrees, settings.x);
    if (result.evaluation.outcome == EvalOutcome::Value) {
        result.resultText = FormatResult(result.evaluation.value, settings.decimalSeparator);
    }
    return result;
}

} // namespace tallix
