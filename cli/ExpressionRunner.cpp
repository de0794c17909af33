#include "cli/ExpressionRunner.h"

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
    reasons_.SetPlace(place);
    const std::optional<std::string> answer = Answer(expression);
    out_.WriteLine(answer ? *answer : std::string_view());
    return answer.has_value();
}

void ExpressionRunner::RefuseTooLong(InputPlace place) {
    reasons_.SetPlace(place);
    reasons_.Report(kTooLongText);
    out_.WriteLine({});
}

// Running out of memory fails this expression only; the next one starts
// afresh with everything the failed one held given back.
std::optional<std::string> ExpressionRunner::Answer(std::string_view expression) {
    try {
        return settings_.postfix ? Postfix(expression) : Value(expression);
    } catch (const std::bad_alloc&) {
        reasons_.Report("out of memory");
        return std::nullopt;
    }
}

bool ExpressionRunner::Translated(const PreparedTranslation& steps) {
    if (!steps.prepared) {
        reasons_.Report(kErrorTitle, kIllegalExpressionPrompt);
        return false;
    }
    if (steps.translation.error) {
        reasons_.Report(kSyntaxErrorTitle, SyntaxErrorPrompt(*steps.translation.error));
        return false;
    }
    return true;
}

std::optional<std::string> ExpressionRunner::Value(std::string_view typed) {
    const CalculationResult result = Calculate(
        typed, {.degrees = settings_.degrees, .decimalSeparator = settings_.decimalSeparator});
    if (!Translated(result)) {
        return std::nullopt;
    }
    switch (result.evaluation.outcome) {
    case EvalOutcome::Value:
        return result.resultText;
    case EvalOutcome::CannotCalculate:
        // The window shows this as its result; here it is a reason, so that
        // standard output holds numbers only.
        reasons_.Report(kCannotCalculateText);
        return std::nullopt;
    case EvalOutcome::Failure:
        reasons_.Report(kErrorTitle, result.evaluation.errorDescription);
        return std::nullopt;
    case EvalOutcome::NoToken: // only a text without tokens, which preparing never gives
        return std::nullopt;
    }
    return std::nullopt;
}

// The translation alone; each token of the postfix text is followed by a
// space, and a line ends without one.
std::optional<std::string> ExpressionRunner::Postfix(std::string_view typed) {
    PreparedTranslation steps = PrepareAndTranslate(typed);
    if (!Translated(steps)) {
        return std::nullopt;
    }
    std::string postfix = std::move(steps.translation.postfix);
    if (!postfix.empty()) {
        postfix.pop_back();
    }
    return postfix;
}

} // namespace tallix::cli
