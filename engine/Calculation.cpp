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

} // namespace tallix
