#include "engine/Evaluation.h"

#include "engine/CheckedArithmetic.h"
#include "engine/Cls13.h"
#include "engine/EngineError.h"
#include "engine/FunctionLibrary.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <variant>

namespace tallix {
namespace {

static_assert(std::numeric_limits<float>::is_iec559,
              "the conversion to single precision relies on IEEE rounding to infinity");

bool IsNumberStart(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == ',';
}

bool IsOperator(char c) {
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

// A number too long for the double range: huge when a digit other than 0
// stands before the decimal point, otherwise below the smallest double.
double OutOfRangeNumber(std::string_view token) {
    const std::string_view whole = token.substr(0, token.find_first_of(".,"));
    if (whole.find_first_not_of('0') != std::string_view::npos) {
        RaiseArithmeticFailure(std::numeric_limits<double>::infinity());
    }
    return 0.0;
}

// Reads a number token with "." as the decimal point, up to the first
// character that cannot continue it (a "," or a second "."); a token with
// no digit before that character reads as 0. Exponents are not read.
double ReadNumber(std::string_view token) {
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(token.data(), token.data() + token.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        return OutOfRangeNumber(token);
    }
    return error == std::errc{} ? value : 0.0;
}

// Rounds the final value to single precision; a value that rounds beyond
// the single range fails with the overflow.
float ToSingle(double value) {
    const auto single = static_cast<float>(Checked(value));
    if (std::isinf(single)) {
        RaiseArithmeticFailure(single);
    }
    return single;
}

// The negation keeps the tag of the value it negates.
TaggedNumber Negated(const TaggedNumber& value) {
    return std::visit(
        [](auto number) -> TaggedNumber { return static_cast<decltype(number)>(-number); }, value);
}

EvaluationResult Ended(EvalOutcome outcome, float value = 0.0f) {
    EvaluationResult result;
    result.outcome = outcome;
    result.value = value;
    return result;
}

// One evaluation: its operand stack and its inputs. Raises EngineError.
class Evaluator {
public:
    Evaluator(bool degrees, float x) : degrees_(degrees), x_(x) {}

    // postfix = { token " " } [ ignored text ]
    EvaluationResult Run(std::string_view postfix);

private:
    // Processes one token; false means the cannot-calculate outcome.
    bool Apply(std::string_view token);

    // An operand as a double. An infinity (from a power beyond the double
    // range) fails here rather than feed another step.
    double PopOperand() { return Checked(ToDouble(stack_.Pop())); }

    bool ApplyOperator(char op);
    bool ApplyPower(double base, double exponent);
    bool ApplyLibraryFunction(const LibraryFunction& function);

    Cls13<TaggedNumber> stack_;
    bool degrees_;
    float x_;
};

// Each token ends at a space. Tokens are a few characters long, so a plain
// loop beats a library search.
EvaluationResult Evaluator::Run(std::string_view postfix) {
    const char* start = postfix.data();
    const char* const end = start + postfix.size();
    for (const char* p = start; p != end; ++p) {
        if (*p != ' ') {
            continue;
        }
        if (!Apply({start, static_cast<std::size_t>(p - start)})) {
            return Ended(EvalOutcome::CannotCalculate);
        }
        start = p + 1;
    }
    if (stack_.StackSize() < 1) {
        return Ended(EvalOutcome::NoToken);
    }
    return Ended(EvalOutcome::Value, ToSingle(ToDouble(stack_.Pop())));
}

// token = number | operator | function | "XX" | "(-)" ; the kinds are
// disjoint, so the order of the tests decides nothing but speed.
bool Evaluator::Apply(std::string_view token) {
    if (!token.empty() && IsNumberStart(token.front())) {
        stack_.Push(ReadNumber(token));
        return true;
    }
    if (token.size() == 1 && IsOperator(token.front())) {
        return ApplyOperator(token.front());
    }
    if (const LibraryFunction* function = FindFunction(token)) {
        return ApplyLibraryFunction(*function);
    }
    if (token == "XX") {
        stack_.Push(x_);
        return true;
    }
    if (token == "(-)") {
        stack_.Push(Negated(stack_.Pop()));
        return true;
    }
    throw EngineError(ErrorNumber::BadToken,
                      std::string(ErrorDescription::BadTokenPrefix).append(token));
}

// operator: right operand on top, left below it.
bool Evaluator::ApplyOperator(char op) {
    const double right = PopOperand();
    const double left = PopOperand();
    switch (op) {
    case '+':
        stack_.Push(Checked(left + right));
        return true;
    case '-':
        stack_.Push(Checked(left - right));
        return true;
    case '*':
        stack_.Push(Checked(left * right));
        return true;
    case '/':
        if (right == 0.0) {
            return false;
        }
        stack_.Push(Checked(left / right));
        return true;
    default:
        return ApplyPower(left, right);
    }
}

// A zero exponent gives the 16-bit integer 1 without computing, so 0^0 is 1.
// A power beyond the double range is pushed as the infinity it is and fails
// when it reaches the next step or the conversion to single precision.
bool Evaluator::ApplyPower(double base, double exponent) {
    if (exponent == 0.0) {
        stack_.Push(std::int16_t{1});
        return true;
    }
    if (base < 0.0 && exponent != std::floor(exponent)) {
        return false;
    }
    stack_.Push(std::pow(base, exponent));
    return true;
}

bool Evaluator::ApplyLibraryFunction(const LibraryFunction& function) {
    FunctionOutcome outcome = ApplyFunction(function, PopOperand(), degrees_);
    if (!outcome) {
        return false;
    }
    stack_.Push(*outcome);
    return true;
}

EvaluationResult Failure(const EngineError& error) {
    EvaluationResult result = Ended(EvalOutcome::Failure);
    result.errorNumber = error.Number();
    result.errorDescription = error.Description();
    return result;
}

} // namespace

EvaluationResult EvaluatePostfix(std::string_view postfix, bool degrees, float x) {
    try {
        return Evaluator(degrees, x).Run(postfix);
    } catch (const EngineError& error) {
        return Failure(error);
    }
}

} // namespace tallix
