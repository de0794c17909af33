#include "CalculateCommand.h"

#include "Calculation.h"
#include "EditBox.h"
#include "ResultText.h"

#include <QRadioButton>

#include <string>

namespace tallix {

namespace {

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void ShowOutcome(const CalculationResult& result, EditBox& Text1, MessageService& messages,
                 std::string_view decimalSeparator) {
    switch (result.kind) {
    case CalculationResult::Kind::SyntaxError:
    case CalculationResult::Kind::NoResult:
        return;
    case CalculationResult::Kind::CannotCalculate:
        Text1.SetText(FromStd(kCannotCalculateText));
        return;
    case CalculationResult::Kind::Value:
        Text1.SetText(FromStd(FormatResult(result.value, decimalSeparator)));
        return;
    case CalculationResult::Kind::Failure:
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
    const std::string expression = Text1.Text().toStdString();
    // Radians unless "Angle" is selected, read now: the choice counts only
    // at the moment of a calculation.
    const bool bolDegree = Option2.isChecked();
    ShowOutcome(CalculatePrepared(expression, bolDegree, messages), Text1, messages,
                decimalSeparator);
}

} // namespace tallix
