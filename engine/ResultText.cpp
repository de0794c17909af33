#include "ResultText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tallix {
namespace {

constexpr int kSignificantDigits = 7;

// A result rounded to seven significant digits: value = digits x 10^(exponent
// - count + 1), with no trailing zero among the digits.
struct Rounded {
    bool negative = false;
    std::array<char, kSignificantDigits> digits{};
    int count = 0; // digits in use, 1 to 7
    int exponent = 0;
};

// Rounds to nearest from the exact value of the float. The decimal exponent
// is that of the rounded value, so 9.9999995e-5 rounds to 1e-4, exponent -4.
Rounded RoundToSevenDigits(float value) {
    // "-d.dddddde-XX" and the longest exponent of a double fit easily.
    std::array<char, 32> text{};
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), static_cast<double>(value),
                      std::chars_format::scientific, kSignificantDigits - 1);
    const char* p = text.data();
    Rounded rounded;
    rounded.negative = *p == '-';
    p += rounded.negative ? 1 : 0;
    for (int i = 0; i < kSignificantDigits; ++i, ++p) {
        p += *p == '.' ? 1 : 0;
        rounded.digits[i] = *p;
        rounded.count = *p != '0' ? i + 1 : rounded.count;
    }
    ++p;                    // the "e"
    p += *p == '+' ? 1 : 0; // from_chars reads a "-" but not a "+"
    std::from_chars(p, written.ptr, rounded.exponent);
    return rounded;
}

std::string_view Digits(const Rounded& rounded, int from, int to) {
    return {rounded.digits.data() + from, static_cast<std::size_t>(to - from)};
}

// 1234567, 0.3333333, 0.0001, -2.5.
void AppendPlain(std::string& text, const Rounded& r, std::string_view separator) {
    if (r.exponent < 0) {
        text.append("0").append(separator).append(static_cast<std::size_t>(-r.exponent - 1), '0');
        text.append(Digits(r, 0, r.count));
        return;
    }
    const int integerDigits = r.exponent + 1;
    if (r.count <= integerDigits) {
        text.append(Digits(r, 0, r.count));
        text.append(static_cast<std::size_t>(integerDigits - r.count), '0');
        return;
    }
    text.append(Digits(r, 0, integerDigits)).append(separator);
    text.append(Digits(r, integerDigits, r.count));
}

// 1.234568E+07, 1E-05, 1.5E-20: at least two exponent digits.
void AppendExponential(std::string& text, const Rounded& r, std::string_view separator) {
    text.append(Digits(r, 0, 1));
    if (r.count > 1) {
        text.append(separator).append(Digits(r, 1, r.count));
    }
    text.append(r.exponent < 0 ? "E-" : "E+");
    const int magnitude = std::abs(r.exponent);
    if (magnitude < 10) {
        text.push_back('0');
    }
    text.append(std::to_string(magnitude));
}

// Not-a-number and infinities never reach the result text (the conversion
// to single precision fails first); they are written as the standard
// library writes them.
std::string NonFiniteText(float value) {
    std::array<char, 8> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
    return {text.data(), written.ptr};
}

} // namespace

std::string FormatResult(float value, std::string_view decimalSeparator) {
    if (value == 0.0f) {
        return "0";
    }
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    const Rounded rounded = RoundToSevenDigits(value);
    std::string text = rounded.negative ? "-" : "";
    if (rounded.exponent >= -4 && rounded.exponent <= 6) {
        AppendPlain(text, rounded, decimalSeparator);
    } else {
        AppendExponential(text, rounded, decimalSeparator);
    }
    return text;
}

} // namespace tallix
