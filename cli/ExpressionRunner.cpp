#include "ExpressionRunner.h"

#include "Calculation.h"
#include "ResultText.h"

#include <utility>

namespace tallix::cli {

ExpressionRunner::ExpressionRunner(RunSettings settings, std::ostream& out, std::ostream& err)
    : settings_(std::move(settings)), out_(out), messages_(err) {}

bool ExpressionRunner::Run(std::string_view expression) {
    const bool ok = settings_.postfix ? Translate(expression) : Calculate(expression);
    out_.flush();
    return ok;
}

bool ExpressionRunner::Calculate(std::string_view typed) {
    const std::optional<std::string> prepared = PrepareExpression(typed, messages_);
    if (!prepared) {
        return false;
    }
    const CalculationResult result = CalculatePrepared(*prepared, settings_.bolDegree, messages_);
    using Kind = CalculationResult::Kind;
    switch (result.kind) {
    case Kind::Value:
        out_ << FormatResult(result.value, settings_.decimalSeparator) << '\n';
        return true;
    case Kind::CannotCalculate:
        out_ << kCannotCalculateText << '\n';
        return false;
    case Kind::Failure:
        messages_.ShowMessage(result.errorDescription, kErrorTitle, MessageIcon::Stop);
        return false;
    case Kind::SyntaxError: // the translator has shown its message
    case Kind::NoResult:    // the window shows nothing either
        return false;
    }
    return false;
}

bool ExpressionRunner::Translate(std::string_view typed) {
    const std::optional<std::string> prepared = PrepareExpression(typed, messages_);
    if (!prepared) {
        return false;
    }
    TranslationResult translation = TranslatePrepared(*prepared);
    if (translation.error) {
        ShowSyntaxError(*translation.error, messages_);
        return false;
    }
    std::string& postfix = translation.postfix;
    if (!postfix.empty()) {
        postfix.pop_back(); // each token is followed by a space; a line ends without one
    }
    out_ << postfix << '\n';
    return true;
}

} // namespace tallix::cli
