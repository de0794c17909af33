#include "platform/Cls6.h"

#include "engine/EngineError.h"
#include "engine/Translation.h"
#include "platform/SyntaxErrorBox.h"

namespace tallix {

namespace {
// Returned for an error reported at position 0, so that every error is non-zero.
constexpr std::int32_t kErrorAtPositionZero = -1;
} // namespace

std::int32_t Cls6::InfixToPostfix(const std::string& sExpression, std::string& sBuffer) {
    const TranslationResult translation = TranslateToPostfix(sExpression);
    sBuffer.append(translation.postfix);
    if (!translation.error) {
        return 0;
    }
    sLastError = translation.error->message;
    ShowSyntaxError(*translation.error, messages_);
    const std::int32_t errorPos = translation.error->position;
    return errorPos != 0 ? errorPos : kErrorAtPositionZero;
}

EvalStatus Cls6::DoEvaluate(std::string& sExpression, bool& bolDegree, float& sngResult,
                            float& /*sngU*/, float& /*sngV*/, float& sngX, float& /*sngY*/,
                            float& /*sngA*/, float& /*sngR*/, float& /*sngB*/, float& /*sngT*/) {
    const EvaluationResult result = EvaluatePostfix(sExpression, bolDegree, sngX);
    switch (result.outcome) {
    case EvalOutcome::Failure:
        throw EngineError(result.errorNumber, result.errorDescription);
    case EvalOutcome::CannotCalculate:
        sngResult = kCannotCalculateSentinel;
        break;
    case EvalOutcome::Value:
        sngResult = result.value;
        break;
    case EvalOutcome::NoToken:
        break;
    }
    return {result.outcome};
}

} // namespace tallix
