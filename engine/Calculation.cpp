#include "engine/Calculation.h"

#include "engine/NIModule.h"

namespace tallix {

std::optional<std::string> PrepareExpression(std::string_view typed, MessageService& messages) {
    std::string prepared;
    if (!NIModule::ValidateExpression(typed, prepared)) {
        messages.ShowMessage(kIllegalExpressionPrompt, kErrorTitle, MessageIcon::Warning);
        return std::nullopt;
    }
    return prepared;
}

TranslationResult TranslatePrepared(std::string_view prepared) {
    return TranslateToPostfix(NIModule::InsertImplicitMultiply(prepared));
}

namespace {

using Kind = CalculationResult::Kind;

Kind KindOf(EvalOutcome outcome) {
    switch (outcome) {
    case EvalOutcome::NoToken:
        return Kind::NoResult;
    case EvalOutcome::Value:
        return Kind::Value;
    case EvalOutcome::CannotCalculate:
        return Kind::CannotCalculate;
    case EvalOutcome::Failure:
        break;
    }
    return Kind::Failure;
}

} // namespace

CalculationResult CalculatePrepared(std::string_view prepared, bool degrees,
                                    MessageService& messages) {
    const TranslationResult translation = TranslatePrepared(prepared);
    if (translation.error) {
        ShowSyntaxError(*translation.error, messages);
        CalculationResult result;
        result.kind = Kind::SyntaxError;
        return result;
    }
    EvaluationResult evaluation = EvaluatePostfix(translation.postfix, degrees, kVariableValue);
    CalculationResult result;
    result.kind = KindOf(evaluation.outcome);
    result.value = evaluation.value;
    result.errorNumber = evaluation.errorNumber;
    result.errorDescription = std::move(evaluation.errorDescription);
    return result;
}

} // namespace tallix
