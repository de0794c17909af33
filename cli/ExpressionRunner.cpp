#include "cli/ExpressionRunner.h"

#include "engine/Calculation.h"
#include "engine/ResultText.h"

#include <new>
#include <utility>

namespace tallix::cli {

namespace {

const std::string kTooLongText =
    "the expression is longer than " + std::to_string(kMaxExpressionLength) + " characters";

} // namespace

ExpressionRunner::ExpressionRunner(RunSettings settings, OutputBuffer& out)
    : settings_(std::move(settings)), out_(out) {}

bool ExpressionRunner::Run(std::string_view expression, InputPlace place) {
    if (expression.size() > kMaxExpressionLength) {
        RefuseTooLong(place);
        return false;
    }
    messages_.SetPlace(place);
    const std::optional<std::string> answer = Answer(expression);
    out_.WriteLine(answer ? *answer : std::string_view());
    return answer.has_value();
}

void ExpressionRunner::RefuseTooLong(InputPlace place) {
    messages_.SetPlace(place);
    messages_.Report(kTooLongText);
    out_.WriteLine({});
}

// Running out of memory fails this expression only; the next one starts
// afresh with everything the failed one held given back.
std::optional<std::string> ExpressionRunner::Answer(std::string_view expression) {
    try {
        return settings_.postfix ? Translate(expression) : Calculate(expression);
    } catch (const std::bad_alloc&) {
        messages_.Report("out of memory");
        return std::nullopt;
    }
}

// Prepared and translated, with the reason shown when either step refuses
// the text; each token of the postfix text is followed by a space.
std::optional<std::string> ExpressionRunner::Postfix(std::string_view typed) {
    const std::optional<std::string> prepared = PrepareExpression(typed, messages_);
    if (!prepared) {
        return std::nullopt;
    }
    TranslationResult translation = TranslatePrepared(*prepared);
    if (translation.error) {
        ShowSyntaxError(*translation.error, messages_);
        return std::nullopt;
    }
    return std::move(translation.postfix);
}

std::optional<std::string> ExpressionRunner::Calculate(std::string_view typed) {
    const std::optional<std::string> postfix = Postfix(typed);
    if (!postfix) {
        return std::nullopt;
    }
    const EvaluationResult result = EvaluatePostfix(*postfix, settings_.degrees, kVariableValue);
    switch (result.outcome) {
    case EvalOutcome::Value:
        return FormatResult(result.value, settings_.decimalSeparator);
    case EvalOutcome::CannotCalculate:
        // The window shows this as its result; here it is a reason, so that
        // standard output holds numbers only.
        messages_.Report(kCannotCalculateText);
        return std::nullopt;
    case EvalOutcome::Failure:
        messages_.ShowMessage(result.errorDescription, kErrorTitle, MessageIcon::Stop);
        return std::nullopt;
    case EvalOutcome::NoToken: // only a text without tokens, which preparing never gives
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> ExpressionRunner::Translate(std::string_view typed) {
    std::optional<std::string> postfix = Postfix(typed);
    if (postfix && !postfix->empty()) {
        postfix->pop_back(); // each token is followed by a space; a line ends without one
    }
    return postfix;
}

} // namespace tallix::cli
