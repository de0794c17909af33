// Infix to postfix translation by operator precedence, with one operator
// stack. Grammar accepted (spaces and control characters between tokens are
// skipped):
//
//   expression = [ sign ] operand { binary-operator [ sign ] operand }
//   operand    = number | "PI" | "X" | "(" expression ")"
//              | function ( sign operand | operand other than a number )
//   sign       = "+" | "-"
//   number     = digits with at most one "." or ",", not a lone separator
//
// The scan is a five-state machine: the kind of the last token decides what
// may come next, and the first token that may not is a syntax error.

#include "Cls13.h"
#include "Cls6.h"
#include "FunctionLibrary.h"

#include <string>
#include <utility>

namespace tallix {

namespace {

// The syntax-error messages, each with the situation that raises it.
// "(", a name or a number directly after an operand.
constexpr std::string_view kOperatorExpected = "Operator expected";
// ")" or an operator where an operand must come, or the text ends there.
constexpr std::string_view kOperandExpected = "Operand expected";
// ")" with no "(" pending.
constexpr std::string_view kUnmatchedClose =
    "Closing parenthesis without matching open parenthesis";
// The text ends with a "(" still pending.
constexpr std::string_view kCloseExpected = "Closing parenthesis expected";
// A printable character that can start no token.
constexpr std::string_view kUnexpectedCharacter = "Unexpected character encountered";
// A second "." or "," inside one number.
constexpr std::string_view kMultipleDecimalPoints = "Operand contains multiple decimal points";
// A number that is a lone "." or ",".
constexpr std::string_view kInvalidOperand = "Invalid operand";
// A number directly after a function name.
constexpr std::string_view kOpenExpected = "Open parenthesis expected";
// A name that is no function, not PI and not X; the name follows, as typed.
constexpr std::string_view kUndefinedSymbol = "Undefined symbol : '";

// Returned for an error reported at position 0, so that every error is non-zero.
constexpr std::int32_t kErrorAtPositionZero = -1;

constexpr std::string_view kPiText = "3.1415926";
constexpr std::string_view kVariableMarker = "XX";
constexpr std::string_view kUnaryMinus = "(-)";
constexpr std::string_view kOpen = "(";

// What kind of token came last, which decides what may follow.
enum class TokenState {
    Start,             // nothing yet, or only "(" since the start
    AfterOperand,      // a number, PI, X or ")"
    AfterOpenOrStrong, // "(" (not at the start), or a binary "*", "/" or "^"
    AfterWeak,         // a binary "+" or "-", or a sign
    AfterFunction,     // a function name
};

constexpr char ToUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == ',';
}

bool IsDecimalSeparator(char c) {
    return c == '.' || c == ',';
}

bool EqualsIgnoringCase(std::string_view name, std::string_view upper) {
    if (name.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (ToUpper(name[i]) != upper[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

// One call of InfixToPostfix: scans the text once, left to right, writing
// tokens to the output as soon as their order is known. Each step returns
// false after recording a syntax error.
class Cls6::Translation {
public:
    Translation(std::string_view text, std::string& output) : text_(text), output_(output) {
        // Postfix text is about as long as the infix text plus a space per
        // token; a short one then stays inside the string, unallocated.
        output_.reserve(output_.size() + text_.size() + text_.size() / 2);
    }

    bool Run() {
        std::size_t p = 0;
        while (p < text_.size()) {
            if (!Step(p)) {
                return false;
            }
        }
        return End();
    }

    std::int32_t ErrorPos() const { return errorPos_; }
    std::string TakeError() { return std::move(error_); }

private:
    // Classifies the character at p, runs its step and moves p past it.
    bool Step(std::size_t& p) {
        const char c = text_[p];
        switch (c) {
        case '(':
            return OpenParenthesis(p++);
        case ')':
            return CloseParenthesis(p++);
        case '+':
        case '-':
        case '*':
        case '/':
        case '^':
            return Operator(c, p++);
        default:
            break;
        }
        if (IsNumberChar(c)) {
            return Number(p);
        }
        if (static_cast<unsigned char>(c) <= ' ') {
            ++p; // spaces, tabs and other control characters separate tokens
            return true;
        }
        if (!IsNameChar({&text_[p], 1})) {
            return Fail(kUnexpectedCharacter);
        }
        return Name(p);
    }

    // "(" opens a group; it is never popped by an operator (precedence 0).
    bool OpenParenthesis(std::size_t p) {
        if (state_ == TokenState::AfterOperand) {
            return Fail(kOperatorExpected);
        }
        if (state_ == TokenState::AfterWeak || state_ == TokenState::AfterFunction) {
            state_ = TokenState::AfterOpenOrStrong;
        }
        stack_.Push(std::string(kOpen));
        ++openCount_;
        SetErrorPos(p + 1);
        return true;
    }

    // ")" writes everything stacked since its "("; a function name below the
    // "(" stays and is written by the next operator or at the end.
    bool CloseParenthesis(std::size_t p) {
        if (state_ != TokenState::AfterOperand) {
            return Fail(kOperandExpected);
        }
        if (openCount_ == 0) {
            return Fail(kUnmatchedClose);
        }
        while (TopToken() != kOpen) {
            WriteTop();
        }
        stack_.Pop(); // the "(" itself is dropped
        --openCount_;
        SetErrorPos(p + 1);
        return true;
    }

    // After an operand c is binary; elsewhere it is a sign, and only "+" and
    // "-" may be signs.
    bool Operator(char c, std::size_t p) {
        if (state_ == TokenState::AfterWeak) {
            return Fail(kOperandExpected);
        }
        if (state_ == TokenState::AfterOperand) {
            BinaryOperator(c);
        } else if (c == '-') {
            stack_.Push(std::string(kUnaryMinus));
            state_ = TokenState::AfterWeak;
        } else if (c == '+') {
            state_ = TokenState::AfterWeak; // a unary plus writes nothing
        } else {
            return Fail(kOperandExpected);
        }
        SetErrorPos(p + 1);
        return true;
    }

    // Pops while the stacked precedence is at least c's, so every binary
    // operator, "^" included, groups from the left.
    void BinaryOperator(char c) {
        const std::string_view op(&c, 1);
        const std::int32_t precedence = GetPrecedence(op);
        while (stack_.StackSize() > 0 && GetPrecedence(TopToken()) >= precedence) {
            WriteTop();
        }
        stack_.Push(std::string(op));
        const bool weak = c == '+' || c == '-';
        state_ = weak ? TokenState::AfterWeak : TokenState::AfterOpenOrStrong;
    }

    // name = ("_" | letter) { "_" | letter }: a function, PI or X, any case.
    bool Name(std::size_t& p) {
        const std::size_t start = p;
        while (p < text_.size() && IsNameChar({&text_[p], 1})) {
            ++p;
        }
        const std::string_view name = text_.substr(start, p - start);
        SetErrorPos(start);
        if (state_ == TokenState::AfterOperand) {
            return Fail(kOperatorExpected);
        }
        if (const LibraryFunction* function = FindFunctionIgnoringCase(name)) {
            stack_.Push(std::string(function->name));
            state_ = TokenState::AfterFunction;
        } else if (EqualsIgnoringCase(name, "PI")) {
            WriteOperand(kPiText);
        } else if (EqualsIgnoringCase(name, "X")) {
            WriteOperand(kVariableMarker);
        } else {
            return Fail(std::string(kUndefinedSymbol).append(name).append("'"));
        }
        return true;
    }

    // number = run of "0123456789.," with at most one separator, not a lone
    // separator; written exactly as typed.
    bool Number(std::size_t& p) {
        if (state_ == TokenState::AfterOperand) {
            return Fail(kOperatorExpected);
        }
        const std::size_t start = p;
        bool separatorSeen = false;
        for (; p < text_.size() && IsNumberChar(text_[p]); ++p) {
            if (IsDecimalSeparator(text_[p])) {
                if (separatorSeen) {
                    return Fail(kMultipleDecimalPoints);
                }
                separatorSeen = true;
            }
        }
        const std::string_view number = text_.substr(start, p - start);
        SetErrorPos(p - 1); // the number's last character, 1-based, minus 1
        if (number.size() == 1 && separatorSeen) {
            return Fail(kInvalidOperand);
        }
        if (state_ == TokenState::AfterFunction) {
            return Fail(kOpenExpected);
        }
        WriteOperand(number);
        return true;
    }

    bool End() {
        SetErrorPos(text_.size());
        if (state_ != TokenState::Start && state_ != TokenState::AfterOperand) {
            return Fail(kOperandExpected);
        }
        if (openCount_ > 0) {
            return Fail(kCloseExpected);
        }
        while (stack_.StackSize() > 0) {
            WriteTop();
        }
        return true;
    }

    // The operator stack holds texts only.
    const std::string& TopToken() const { return std::get<std::string>(stack_.Top()); }

    void WriteTop() {
        Write(TopToken());
        stack_.Pop();
    }

    void Write(std::string_view token) {
        output_.append(token);
        output_.push_back(' ');
    }

    void WriteOperand(std::string_view token) {
        Write(token);
        state_ = TokenState::AfterOperand;
    }

    void SetErrorPos(std::size_t position) { errorPos_ = static_cast<std::int32_t>(position); }

    bool Fail(std::string_view message) {
        error_.assign(message);
        return false;
    }

    std::string_view text_;
    std::string& output_;
    Cls13 stack_; // texts only: "(", operators, "(-)" and function names
    std::int32_t openCount_ = 0;
    TokenState state_ = TokenState::Start;
    std::int32_t errorPos_ = 1;
    std::string error_;
};

std::int32_t Cls6::InfixToPostfix(const std::string& sExpression, std::string& sBuffer) {
    Translation translation(sExpression, sBuffer);
    if (translation.Run()) {
        return 0;
    }
    sLastError = translation.TakeError();
    const std::int32_t errorPos = translation.ErrorPos();
    const std::string prompt = "Character " + std::to_string(errorPos) + ":  " + sLastError;
    messages_.ShowMessage(prompt, "Syntax Error", MessageIcon::Stop);
    return errorPos != 0 ? errorPos : kErrorAtPositionZero;
}

std::int32_t Cls6::GetPrecedence(std::string_view sToken) {
    if (sToken.size() == 1) {
        switch (sToken.front()) {
        case '+':
        case '-':
            return 1;
        case '*':
        case '/':
            return 2;
        case '^':
            return 4;
        default:
            return 0;
        }
    }
    if (sToken == kUnaryMinus) {
        return 3;
    }
    return FindFunction(sToken) != nullptr ? 5 : 0;
}

bool Cls6::IsNameChar(std::string_view sText) {
    if (sText.empty()) {
        return false;
    }
    const char c = ToUpper(sText.front());
    return c == '_' || (c >= 'A' && c <= 'Z');
}

} // namespace tallix
