#include "ui/CalculateCommand.h"

#include "controls/EditBox.h"
#include "engine/Calculation.h"
#include "engine/ResultText.h"

#include <QRadioButton>

#include <string>

namespace tallix {

namespace {

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void ShowOutcome(const EvaluationResult& result, EditBox& Text1, MessageService& messages,
                 std::string_view decimalSeparator) {
    switch (result.outcome) {
    case EvalOutcome::NoToken:
        return;
    case EvalOutcome::CannotCalculate:
        Text1.SetText(FromStd(kCannotCalculateText));
        return;
    case EvalOutcome::Value:
        Text1.SetText(FromStd(FormatResult(result.value, decimalSeparator)));
        return;
    case EvalOutcome::Failure:
        messages.ShowMessage(result.errorDescription, kErrorTitle, MessageIcon::Warning);
        return;
    }
}

} // namespace

void RunCalculate(EditBox& Text1, const QRadioButton& Option2, MessageService& messages,
                  std::string_view decimalSeparator) {
    const std::optional<std::string> prepared =
        PrepareExpression(Text1.Text().toStdString(), messages);
    if (!prepared) {
        return;
    }
    Text1.SetText(FromStd(*prepared));
    // Radians unless "Angle" is selected, read now: the choice counts only
    // at the moment of a calculation.
    const bool bolDegree = Option2.isChecked();
    const TranslationResult translation = TranslatePrepared(Text1.Text().toStdString());
    if (translation.error) {
        ShowSyntaxError(*translation.error, messages);
        return;
    }
    ShowOutcome(EvaluatePostfix(translation.postfix, bolDegree, kVariableValue), Text1, messages,
                decimalSeparator);
}

} // namespace tallix
