#pragma once

#include "engine/Evaluation.h"
#include "platform/MessageService.h"

#include <cstdint>
#include <string>

namespace tallix {

// DoEvaluate's status: NoToken, Value or CannotCalculate, never Failure,
// which DoEvaluate raises instead. It converts to the Boolean that callers
// have always tested (true when sngResult was written) and also says
// unambiguously whether the written value is a result or the sentinel,
// since a genuine result can equal the sentinel.
struct EvalStatus {
    EvalOutcome outcome = EvalOutcome::NoToken;
    explicit operator bool() const noexcept { return outcome != EvalOutcome::NoToken; }
};

// The single-precision value written into sngResult when an expression
// cannot be calculated (bit pattern 0xBDFCD35B).
inline constexpr float kCannotCalculateSentinel = -0.12345f;

// Cls6: the translator (infix to postfix) and the evaluator with their
// documented interface, whose parameter names keep its type prefixes (s text,
// sng single, bol Boolean). A thin adapter over the engine's
// TranslateToPostfix and EvaluatePostfix, which do the work and show
// nothing: the translation here reports a syntax error in a message box; the
// evaluation writes its result through reference parameters and raises its
// failures.
//
// Kept only for the documented interface: no program calls it (the window,
// tallix-cli, the fuzzers and the benchmarks call the engine's Calculate);
// its own tests do.
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
    MessageService& messages_;
    std::string sLastError;
};

} // namespace tallix
