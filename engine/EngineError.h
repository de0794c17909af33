#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tallix {

// The engine numbers its own errors upward from this base (0x80040000 as a
// signed 32-bit value), so callers and stored reports can tell them apart
// from any other error source.
inline constexpr std::int32_t kErrorBase = static_cast<std::int32_t>(0x80040000u);

// Every error number the engine raises, documented where it is defined.
namespace ErrorNumber {
// The evaluator met a token it does not know ("Bad token in Evaluate: " + token).
inline constexpr std::int32_t BadToken = kErrorBase + 1002;
// Pop on an empty operand stack.
inline constexpr std::int32_t PopEmpty = kErrorBase + 1011;
// GetPopValue on an empty operand stack.
inline constexpr std::int32_t GetPopValueEmpty = kErrorBase + 1012;
// A value left the double range in an arithmetic step, or the final result
// does not fit a single-precision float.
inline constexpr std::int32_t Overflow = kErrorBase + 1020;
// An arithmetic step had no defined result (infinity minus infinity and the like).
inline constexpr std::int32_t InvalidOperation = kErrorBase + 1021;
} // namespace ErrorNumber

// The descriptions the evaluator gives its own failures.
namespace ErrorDescription {
// Followed by the token exactly as it stood in the postfix text.
inline constexpr std::string_view BadTokenPrefix = "Bad token in Evaluate: ";
inline constexpr std::string_view Overflow = "Overflow";
inline constexpr std::string_view InvalidOperation = "Invalid floating-point operation";
} // namespace ErrorDescription

// A failure raised by the engine: it ends the call at once and carries a
// number and a description for whoever reports it to the user.
class EngineError : public std::runtime_error {
public:
    EngineError(std::int32_t number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    std::int32_t Number() const noexcept { return number_; }
    std::string Description() const { return what(); }

private:
    std::int32_t number_;
};

} // namespace tallix
