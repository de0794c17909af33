#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallix {

// Every syntax error the translator reports.
enum class SyntaxErrorKind : std::uint8_t {
    OperatorExpected,
    OperandExpected,
    UnmatchedClose,
    CloseExpected,
    UnexpectedCharacter,
    MultipleDecimalPoints,
    InvalidOperand,
    OpenExpected,
    UndefinedSymbol,
};

struct SyntaxErrorRow {
    SyntaxErrorKind kind;
    std::string_view message;   // kSyntaxErrorName stands for the offending name, as typed
    std::string_view situation; // what raises it, for help texts
};

inline constexpr std::string_view kSyntaxErrorName = "NAME";

// The one table of syntax-error messages, read by the translator, by help
// texts and by tests. Invariant: one row per kind, in the order of
// SyntaxErrorKind (checked below).
inline constexpr std::array<SyntaxErrorRow, 9> kSyntaxErrors = {{
    {SyntaxErrorKind::OperatorExpected, "Operator expected",
     "\"(\", a name or a number right after an operand"},
    {SyntaxErrorKind::OperandExpected, "Operand expected",
     "\")\" or an operator where an operand must come, or the text ends there"},
    {SyntaxErrorKind::UnmatchedClose, "Closing parenthesis without matching open parenthesis",
     "\")\" with no \"(\" pending"},
    {SyntaxErrorKind::CloseExpected, "Closing parenthesis expected",
     "the text ends with a \"(\" still pending"},
    {SyntaxErrorKind::UnexpectedCharacter, "Unexpected character encountered",
     "a printable character that can start no token"},
    {SyntaxErrorKind::MultipleDecimalPoints, "Operand contains multiple decimal points",
     R"(a second "." or "," inside one number)"},
    {SyntaxErrorKind::InvalidOperand, "Invalid operand", R"(a number that is a lone "." or ",")"},
    {SyntaxErrorKind::OpenExpected, "Open parenthesis expected",
     "a number right after a function name"},
    {SyntaxErrorKind::UndefinedSymbol, "Undefined symbol : 'NAME'",
     "a name that is no function, not PI and not X"},
}};

namespace detail {
constexpr bool SyntaxErrorsInKindOrder() {
    for (std::size_t i = 0; i < kSyntaxErrors.size(); ++i) {
        if (static_cast<std::size_t>(kSyntaxErrors[i].kind) != i) {
            return false;
        }
    }
    return true;
}
} // namespace detail
static_assert(detail::SyntaxErrorsInKindOrder(), "one row per kind, in the order of the kinds");

inline constexpr std::string_view kSyntaxErrorTitle = "Syntax Error";

// The first syntax error of a translation.
struct SyntaxError {
    SyntaxErrorKind kind;
    std::string message; // the row's message with the name filled in
    std::int32_t
        position; // a character position counted from 1; 0 for some errors in the first token
};

// The error of the given kind; name replaces kSyntaxErrorName in its message.
SyntaxError MakeSyntaxError(SyntaxErrorKind kind, std::int32_t position, std::string_view name);

// The error as the user reads it under the title kSyntaxErrorTitle:
// "Character N:  message".
std::string SyntaxErrorPrompt(const SyntaxError& error);

} // namespace tallix
