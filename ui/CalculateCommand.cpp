#include "ui/CalculateCommand.h"

#include "controls/EditBox.h"
#include "engine/Calculation.h"
#include "engine/ResultText.h"
#include "platform/QtText.h"

#include <QRadioButton>

#include <string>

namespace tallix {

namespace {

void ShowOutcome(const EvaluationResult& result, EditBox& expressionBox, MessageService& messages,
                 std::string_view decimalSeparator) {
    switch (result.outcome) {
    case EvalOutcome::NoToken:
        return;
    case EvalOutcome::CannotCalculate:
        expressionBox.SetText(ToQString(kCannotCalculateText));
        return;
    case EvalOutcome::Value:
        expressionBox.SetText(ToQString(FormatResult(result.value, decimalSeparator)));
        return;
    case EvalOutcome::Failure:
        messages.ShowMessage(result.errorDescription, kErrorTitle, MessageIcon::Warning);
        return;
    }
}

} // namespace

void RunCalculate(EditBox& expressionBox, const QRadioButton& degreesOption,
                  MessageService& messages, std::string_view decimalSeparator) {
    const std::optional<std::string> prepared =
        PrepareExpression(expressionBox.Text().toStdString(), messages);
    if (!prepared) {
        return;
    }
    expressionBox.SetText(ToQString(*prepared));
    // Radians unless "Angle" is selected, read now: the choice counts only
    // at the moment of a calculation.
    const bool degrees = degreesOption.isChecked();
    const TranslationResult translation = TranslatePrepared(expressionBox.Text().toStdString());
    if (translation.error) {
        ShowSyntaxError(*translation.error, messages);
        return;
    }
    ShowOutcome(EvaluatePostfix(translation.postfix, degrees, kVariableValue), expressionBox,
                messages, decimalSeparator);
}

} // namespace tallix
