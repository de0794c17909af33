// Any bytes, typed into the edit box and calculated in both angle modes,
// must end in one of the outcomes the window knows how to show: a result
// text, the illegal-expression warning, a syntax error at a position inside
// the translated text, "cannot calculate", or an arithmetic failure.
// Anything else aborts, and the sanitizers catch the rest.
#include "Calculation.h"
#include "EngineError.h"
#include "NIModule.h"
#include "RecordingMessageService.h"
#include "ResultText.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using tallix::CalculationResult;
using tallix::MessageIcon;
using tallix::testing::RecordingMessageService;

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "unexpected outcome: %s\n", what);
        std::abort();
    }
}

bool IsOnlyMessage(const RecordingMessageService& messages, std::string_view title,
                   MessageIcon icon) {
    return messages.messages.size() == 1 && messages.messages[0].title == title &&
           messages.messages[0].icon == icon;
}

// "Character N:  message" with 0 <= N <= the length of the translated text.
void RequireSyntaxErrorWithin(const RecordingMessageService& messages, std::size_t length) {
    Require(IsOnlyMessage(messages, "Syntax Error", MessageIcon::Stop), "syntax error box");
    std::string_view prompt = messages.messages[0].prompt;
    constexpr std::string_view kLead = "Character ";
    Require(prompt.substr(0, kLead.size()) == kLead, "syntax error prompt");
    prompt.remove_prefix(kLead.size());
    long long position = -1;
    const auto [end, error] =
        std::from_chars(prompt.data(), prompt.data() + prompt.size(), position);
    Require(error == std::errc{} && std::string_view(end, 3) == ":  ", "syntax error position");
    Require(position >= 0 && static_cast<std::size_t>(position) <= length,
            "syntax error position within the text");
}

void RequireKnownOutcome(const CalculationResult& result, const RecordingMessageService& messages,
                         std::size_t translatedLength) {
    using Kind = CalculationResult::Kind;
    switch (result.kind) {
    case Kind::Value:
        Require(messages.messages.empty() && std::isfinite(result.value), "finite value");
        Require(!tallix::FormatResult(result.value, ".").empty(), "result text");
        return;
    case Kind::CannotCalculate:
        Require(messages.messages.empty(), "cannot calculate without a box");
        return;
    case Kind::Failure:
        Require(messages.messages.empty(), "failure without a box");
        Require(result.errorNumber == tallix::ErrorNumber::Overflow ||
                    result.errorNumber == tallix::ErrorNumber::InvalidOperation,
                "only arithmetic failures");
        return;
    case Kind::SyntaxError:
        RequireSyntaxErrorWithin(messages, translatedLength);
        return;
    case Kind::NoResult:
        break;
    }
    Require(false, "a translated text always holds a token");
}

void CalculateIn(std::string_view typed, bool degree) {
    RecordingMessageService messages;
    const std::optional<std::string> prepared = tallix::PrepareExpression(typed, messages);
    if (!prepared) {
        Require(IsOnlyMessage(messages, "Error", MessageIcon::Warning) &&
                    messages.messages[0].prompt == "The expression is illegal.",
                "illegal expression box");
        return;
    }
    const CalculationResult result = tallix::CalculatePrepared(*prepared, degree, messages);
    const std::size_t translatedLength = tallix::NIModule::InsertImplicitMultiply(*prepared).size();
    RequireKnownOutcome(result, messages, translatedLength);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    CalculateIn(typed, false);
    CalculateIn(typed, true);
    return 0;
}
