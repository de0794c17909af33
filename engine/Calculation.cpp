#include "Calculation.h"

#include "Cls6.h"
#include "EngineError.h"
#include "NIModule.h"

namespace tallix {

std::optional<std::string> PrepareExpression(std::string_view typed, MessageService& messages) {
    std::string prepared;
    if (!NIModule::ValidateExpression(typed, prepared)) {
        messages.ShowMessage(kIllegalExpressionPrompt, kErrorTitle, MessageIcon::Warning);
        return std::nullopt;
    }
    return prepared;
}

namespace {

using Kind = CalculationResult::Kind;

CalculationResult Outcome(Kind kind, float value = 0.0f) {
    CalculationResult result;
    result.kind = kind;
    result.value = value;
    return result;
}

CalculationResult Failure(const EngineError& error) {
    CalculationResult result = Outcome(Kind::Failure);
    result.errorNumber = error.Number();
    result.errorDescription = error.Description();
    return result;
}

CalculationResult FromStatus(EvalStatus status, float sngResult) {
    switch (status.outcome) {
    case EvalOutcome::NoToken:
        return Outcome(Kind::NoResult);
    case EvalOutcome::CannotCalculate:
        return Outcome(Kind::CannotCalculate);
    case EvalOutcome::Value:
        break;
    }
    return Outcome(Kind::Value, sngResult);
}

} // namespace

CalculationResult CalculatePrepared(std::string_view prepared, bool bolDegree,
                                    MessageService& messages) {
    const std::string expression = NIModule::InsertImplicitMultiply(prepared);
    Cls6 calculator(messages);
    std::string postfix; // short postfix texts stay in the string itself, unallocated
    if (calculator.InfixToPostfix(expression, postfix) != 0) {
        return Outcome(Kind::SyntaxError);
    }
    bool degree = bolDegree;
    float sngResult = 0.0f;
    float sngX = 1.0f;
    float unused[7] = {};
    try {
        const EvalStatus status =
            calculator.DoEvaluate(postfix, degree, sngResult, unused[0], unused[1], sngX, unused[2],
                                  unused[3], unused[4], unused[5], unused[6]);
        return FromStatus(status, sngResult);
    } catch (const EngineError& error) {
        return Failure(error);
    }
}

} // namespace tallix
