#pragma once

#include "MessageService.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tallix {

// What a call of DoEvaluate produced.
enum class EvalOutcome {
    NoToken,         // the text held no token; sngResult untouched
    Value,           // sngResult holds the result
    CannotCalculate, // a domain guard fired; sngResult holds the sentinel
};

// DoEvaluate's status. It converts to the Boolean that callers have always
// tested (true when sngResult was written) and also says unambiguously
// whether the written value is a result or the cannot-calculate sentinel,
// since a genuine result can equal the sentinel.
struct EvalStatus {
    EvalOutcome outcome = EvalOutcome::NoToken;
    explicit operator bool() const noexcept { return outcome != EvalOutcome::NoToken; }
};

// The single-precision value written into sngResult when an expression
// cannot be calculated (bit pattern 0xBDFCD35B).
inline constexpr float kCannotCalculateSentinel = -0.12345f;

// Translates infix text to postfix text and evaluates postfix text.
class Cls6 {
public:
    explicit Cls6(MessageService& messages) : messages_(messages) {}

    // Appends the postfix form of sExpression to sBuffer: tokens in postfix
    // order, each followed by one space. Returns 0 on success; on the first
    // syntax error shows a "Syntax Error" box ("Character N:  message") and
    // returns N, or -1 when N is 0, leaving in sBuffer what was written
    // before the error. N is a position in sExpression counted from 1; it is
    // 0 for some errors in the first token.
    std::int32_t InfixToPostfix(const std::string& sExpression, std::string& sBuffer);

    // Evaluates postfix text in double precision and rounds the result to
    // single precision into sngResult. sngX is the value of the variable X;
    // sngU, sngV, sngY, sngA, sngR, sngB and sngT are accepted and unused.
    // Failures (bad token, empty stack, overflow) are raised as EngineError
    // and leave sngResult untouched.
    EvalStatus DoEvaluate(std::string& sExpression, bool& bolDegree, float& sngResult, float& sngU,
                          float& sngV, float& sngX, float& sngY, float& sngA, float& sngR,
                          float& sngB, float& sngT);

    // The message of the most recent syntax error; never cleared.
    const std::string& LastError() const noexcept { return sLastError; }

private:
    class Translation; // the state of one InfixToPostfix call

    // Operator-stack precedence of a token: "+" "-" 1, "*" "/" 2, "(-)" 3,
    // "^" 4, an upper-case function name 5, anything else ("(") 0. Exact,
    // case-sensitive comparison.
    static std::int32_t GetPrecedence(std::string_view sToken);
    // True when the first character of sText, upper-cased, is "_" or A-Z.
    static bool IsNameChar(std::string_view sText);

    MessageService& messages_;
    std::string sLastError;
};

} // namespace tallix
