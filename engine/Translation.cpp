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

#include "engine/Translation.h"

#include "engine/Cls13.h"
#include "engine/FunctionLibrary.h"
#include "engine/FunctionNames.h"
#include "engine/Pi.h"

#include <array>
#include <cstdint>
#include <utility>

namespace tallix {
namespace {

using Kind = SyntaxErrorKind;

// What kind of token came last, which decides what may follow.
enum class TokenState : std::uint8_t {
    Start,             // nothing yet, or only "(" since the start
    AfterOperand,      // a number, PI, X or ")"
    AfterOpenOrStrong, // "(" (not at the start), or a binary "*", "/" or "^"
    AfterWeak,         // a binary "+" or "-", or a sign
    AfterFunction,     // a function name
};

// One entry of the operator stack: "(", a binary operator, the unary minus,
// or the library's function k (FunctionAt) as FirstFunction + k. One byte each, so a
// deep nesting costs a byte per pending "(".
enum class StackToken : std::uint8_t {
    Open,
    Plus,
    Minus,
    Times,
    Divide,
    Power,
    Negate,
    FirstFunction
};

// Texts of the tokens before FirstFunction, in their order; "(" is never written.
constexpr std::array<std::string_view, 7> kOperatorTexts = {"(", "+", "-", "*", "/", "^", "(-)"};
static_assert(kOperatorTexts.size() == static_cast<std::size_t>(StackToken::FirstFunction));
static_assert(kOperatorTexts.size() + kFunctionNames.size() <= 256, "a token fits one byte");

constexpr StackToken FunctionToken(std::size_t index) {
    return static_cast<StackToken>(static_cast<std::size_t>(StackToken::FirstFunction) + index);
}

std::string_view TokenText(StackToken token) {
    const auto index = static_cast<std::size_t>(token);
    return index < kOperatorTexts.size() ? kOperatorTexts[index]
                                         : FunctionAt(index - kOperatorTexts.size()).name;
}

// "+" "-" 1, "*" "/" 2, unary minus 3, "^" 4, a function 5, "(" 0: a
// function outranks every operator and "(" is never popped by one.
constexpr std::int32_t Precedence(StackToken token) {
    constexpr std::array<std::int32_t, 7> kOperatorRanks = {0, 1, 1, 2, 2, 4, 3};
    const auto index = static_cast<std::size_t>(token);
    return index < kOperatorRanks.size() ? kOperatorRanks[index] : 5;
}

StackToken BinaryToken(char c) {
    switch (c) {
    case '+':
        return StackToken::Plus;
    case '-':
        return StackToken::Minus;
    case '*':
        return StackToken::Times;
    case '/':
        return StackToken::Divide;
    default:
        return StackToken::Power;
    }
}

constexpr char ToUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// "_" or a letter A-Z in either case; digits are not name characters.
bool IsNameChar(char c) {
    const char upper = ToUpper(c);
    return upper == '_' || (upper >= 'A' && upper <= 'Z');
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

// One translation: scans the text once, left to right, writing tokens to the
// output as soon as their order is known. Each step returns false after
// recording a syntax error.
class Translator {
public:
    Translator(std::string_view text, std::string& output) : text_(text), output_(output) {
        // Postfix text is about as long as the infix text plus a space per
        // token; a short one then stays inside the string, unallocated.
        output_.reserve(text_.size() + text_.size() / 2);
    }

    // The error, or nothing when the whole text translated.
    std::optional<SyntaxError> Run() {
        if (ScanTokens() && End()) {
            return std::nullopt;
        }
        return MakeSyntaxError(errorKind_, errorPos_, errorName_);
    }

private:
    // expression = { token } , up to the first that may not come where it stands.
    bool ScanTokens() {
        for (std::size_t p = 0; p < text_.size();) {
            if (!Step(p)) {
                return false;
            }
        }
        return true;
    }

    // token = "(" | ")" | operator | blank | name | number
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
        if (!IsNameChar(c)) {
            return Fail(Kind::UnexpectedCharacter);
        }
        return Name(p);
    }

    // open = "(" , not after an operand; never popped by an operator.
    bool OpenParenthesis(std::size_t p) {
        if (state_ == TokenState::AfterOperand) {
            return Fail(Kind::OperatorExpected);
        }
        if (state_ == TokenState::AfterWeak || state_ == TokenState::AfterFunction) {
            state_ = TokenState::AfterOpenOrStrong;
        }
        stack_.Push(StackToken::Open);
        ++openCount_;
        SetErrorPos(p + 1);
        return true;
    }

    // close = ")" , after an operand, with a "(" pending. Writes everything
    // stacked since its "("; a function name below the "(" stays and is
    // written by the next operator or at the end.
    bool CloseParenthesis(std::size_t p) {
        if (state_ != TokenState::AfterOperand) {
            return Fail(Kind::OperandExpected);
        }
        if (openCount_ == 0) {
            return Fail(Kind::UnmatchedClose);
        }
        while (stack_.Top() != StackToken::Open) {
            WriteTop();
        }
        stack_.Pop(); // the "(" itself is dropped
        --openCount_;
        SetErrorPos(p + 1);
        return true;
    }

    // binary-operator = "+" | "-" | "*" | "/" | "^" , after an operand;
    // sign = "+" | "-" , anywhere else but after another sign or binary "+" "-".
    bool Operator(char c, std::size_t p) {
        if (state_ == TokenState::AfterWeak) {
            return Fail(Kind::OperandExpected);
        }
        if (state_ == TokenState::AfterOperand) {
            BinaryOperator(c);
        } else if (c == '-') {
            stack_.Push(StackToken::Negate);
            state_ = TokenState::AfterWeak;
        } else if (c == '+') {
            state_ = TokenState::AfterWeak; // a unary plus writes nothing
        } else {
            return Fail(Kind::OperandExpected);
        }
        SetErrorPos(p + 1);
        return true;
    }

    // Pops while the stacked precedence is at least c's, so every binary
    // operator, "^" included, groups from the left.
    void BinaryOperator(char c) {
        const StackToken token = BinaryToken(c);
        const std::int32_t precedence = Precedence(token);
        while (stack_.StackSize() > 0 && Precedence(stack_.Top()) >= precedence) {
            WriteTop();
        }
        stack_.Push(token);
        const bool weak = c == '+' || c == '-';
        state_ = weak ? TokenState::AfterWeak : TokenState::AfterOpenOrStrong;
    }

    // name = ("_" | letter) { "_" | letter } , not after an operand: a
    // function, PI or X, in any letter case.
    bool Name(std::size_t& p) {
        const std::size_t start = p;
        while (p < text_.size() && IsNameChar(text_[p])) {
            ++p;
        }
        const std::string_view name = text_.substr(start, p - start);
        SetErrorPos(start);
        if (state_ == TokenState::AfterOperand) {
            return Fail(Kind::OperatorExpected);
        }
        if (const LibraryFunction* function = FindFunctionIgnoringCase(name)) {
            stack_.Push(FunctionToken(FunctionIndex(*function)));
            state_ = TokenState::AfterFunction;
        } else if (EqualsIgnoringCase(name, "PI")) {
            WriteOperand(kPiText);
        } else if (EqualsIgnoringCase(name, "X")) {
            WriteOperand("XX");
        } else {
            errorName_ = name;
            return Fail(Kind::UndefinedSymbol);
        }
        return true;
    }

    // number = { digit } [ "." | "," ] { digit } , not a lone separator, not
    // after an operand or a function name; written exactly as typed.
    bool Number(std::size_t& p) {
        if (state_ == TokenState::AfterOperand) {
            return Fail(Kind::OperatorExpected);
        }
        const std::size_t start = p;
        bool separatorSeen = false;
        for (; p < text_.size() && IsNumberChar(text_[p]); ++p) {
            if (IsDecimalSeparator(text_[p])) {
                if (separatorSeen) {
                    return Fail(Kind::MultipleDecimalPoints);
                }
                separatorSeen = true;
            }
        }
        const std::string_view number = text_.substr(start, p - start);
        SetErrorPos(p - 1); // the number's last character, 1-based, minus 1
        if (number.size() == 1 && separatorSeen) {
            return Fail(Kind::InvalidOperand);
        }
        if (state_ == TokenState::AfterFunction) {
            return Fail(Kind::OpenExpected);
        }
        WriteOperand(number);
        return true;
    }

    // The text may end after an operand or where nothing was begun, with no
    // "(" pending; what is still stacked is written, top first.
    bool End() {
        SetErrorPos(text_.size());
        if (state_ != TokenState::Start && state_ != TokenState::AfterOperand) {
            return Fail(Kind::OperandExpected);
        }
        if (openCount_ > 0) {
            return Fail(Kind::CloseExpected);
        }
        while (stack_.StackSize() > 0) {
            WriteTop();
        }
        return true;
    }

    void WriteTop() { Write(TokenText(stack_.Pop())); }

    void Write(std::string_view token) {
        output_.append(token);
        output_.push_back(' ');
    }

    void WriteOperand(std::string_view token) {
        Write(token);
        state_ = TokenState::AfterOperand;
    }

    void SetErrorPos(std::size_t position) { errorPos_ = static_cast<std::int32_t>(position); }

    bool Fail(Kind kind) {
        errorKind_ = kind;
        return false;
    }

    std::string_view text_;
    std::string& output_;
    Cls13<StackToken> stack_;
    std::int32_t openCount_ = 0;
    TokenState state_ = TokenState::Start;
    std::int32_t errorPos_ = 1;
    Kind errorKind_ = Kind::OperandExpected;
    std::string_view errorName_; // the undefined name, for its message
};

} // namespace

TranslationResult TranslateToPostfix(std::string_view infix) {
    TranslationResult result;
    result.error = Translator(infix, result.postfix).Run();
    return result;
}

} // namespace tallix
