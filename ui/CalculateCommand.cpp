#include "ui/CalculateCommand.h"

#include "controls/EditBox.h"
#include "engine/Calculation.h"
#include "platform/QtText.h"
#include "platform/SyntaxErrorBox.h"

#include <QRadioButton>

#include <string>

namespace tallix {

namespace {

void ShowEvaluation(const CalculationResult& result, EditBox& expressionBox,
                    MessageService& messages) {
    switch (result.evaluation.outcome) {
    case EvalOutcome::NoToken:
        return;
    case EvalOutcome::CannotCalculate:
        expressionBox.SetText(ToQString(kCannotCalculateText));
        return;
    case EvalOutcome::Value:
        expressionBox.SetText(ToQString(result.resultText));
        return;
    case EvalOutcome::Failure:
        messages.ShowMessage(result.evaluation.errorDescription, kErrorTitle, MessageIcon::Warning);
        return;
    }
}

} // namespace

void RunCalculate(EditBox& expressionBox, const QRadioButton& degreesOption,
                  MessageService& messages, std::string_view decimalSeparator) {
    // Radians unless "Angle" is selected, read now: the choice counts only
    // at the moment of a calculation.
    const CalculationResult result =
        Calculate(expressionBox.Text().toStdString(),
                  {.degrees = degreesOption.isChecked(), .decimalSeparator = decimalSeparator});
    if (!result.prepared) {
        messages.ShowMessage(kIllegalExpressionPrompt, kErrorTitle, MessageIcon::Warning);
        return;
    }
    expressionBox.SetText(ToQString(*result.prepared));
    if (result.translation.error) {
        ShowSyntaxError(*result.translation.error, messages);
        return;
    }
    ShowEvaluation(result, expressionBox, messages);
}

} // namespace tallix
