#include "engine/ResultText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
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

// Rounds to nearest from the exact value of the float, by the standard
// library's exact decimal conversion.
Rounded RoundExactly(float value) {
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

// Powers of ten from 1e-33 to 1e52, enough to scale any single to seven
// integer digits; long double makes each the correctly rounded double (or
// within an ulp of it).
constexpr int kLowestPower = -33;
constexpr auto kPowersOfTen = [] {
    std::array<double, 86> powers{};
    long double up = 1.0L;
    for (int k = 0; k <= 52; ++k, up *= 10.0L) {
        powers[k - kLowestPower] = static_cast<double>(up);
        if (k <= -kLowestPower) {
            powers[-k - kLowestPower] = static_cast<double>(1.0L / up);
        }
    }
    return powers;
}();

// The exponent e of a normal double m, with 2^e <= m < 2^(e+1). Every
// float other than zero is normal as a double.
int BinaryExponent(double m) {
    constexpr int kBias = 1023;
    return static_cast<int>(std::bit_cast<std::uint64_t>(m) >> 52) - kBias;
}

double PowerOfTen(int k) {
    return kPowersOfTen[k - kLowestPower];
}

// The quick way, in double arithmetic: scale the value to seven integer
// digits and round. The scaled value is within about 1e-8 of the exact one,
// so it decides the rounding unless its fraction lies near one half or it
// lies near a decade boundary (where the exponent could carry); those rare
// values are left to RoundExactly.
std::optional<Rounded> RoundQuickly(float value) {
    const double magnitude = std::fabs(static_cast<double>(value));
    // floor(log10(magnitude)), give or take one: 78913 / 2^18 is just below log10(2).
    int exponent = (BinaryExponent(magnitude) * 78913) >> 18;
    double scaled = magnitude * PowerOfTen(kSignificantDigits - 1 - exponent);
    exponent += scaled >= 1e7 ? 1 : (scaled < 1e6 ? -1 : 0);
    scaled = magnitude * PowerOfTen(kSignificantDigits - 1 - exponent);
    // scaled lies between 1e6 and 1e7, so truncation is its floor.
    const auto whole = static_cast<std::uint32_t>(scaled);
    const double fraction = scaled - whole;
    if (whole < 1000001 || whole >= 9999999 || std::fabs(fraction - 0.5) < 1e-6) {
        return std::nullopt;
    }
    auto digits = whole + (fraction > 0.5 ? 1u : 0u);
    Rounded rounded;
    rounded.negative = value < 0.0f;
    rounded.exponent = exponent;
    for (int i = kSignificantDigits - 1; i >= 0; --i, digits /= 10) {
        rounded.digits[i] = static_cast<char>('0' + digits % 10);
        if (rounded.count == 0 && digits % 10 != 0) {
            rounded.count = i + 1;
        }
    }
    return rounded;
}

Rounded RoundToSevenDigits(float value) {
    if (const std::optional<Rounded> quick = RoundQuickly(value)) {
        return *quick;
    }
    return RoundExactly(value);
}

char* CopyDigits(char* out, const Rounded& r, int from, int to) {
    return std::copy(r.digits.data() + from, r.digits.data() + to, out);
}

// 1234567, 0.3333333, 0.0001, -2.5 (with "." as the separator).
char* WritePlain(char* out, const Rounded& r) {
    if (r.exponent < 0) {
        out = std::copy_n("0.", 2, out);
        out = std::fill_n(out, -r.exponent - 1, '0');
        return CopyDigits(out, r, 0, r.count);
    }
    const int integerDigits = r.exponent + 1;
    if (r.count <= integerDigits) {
        out = CopyDigits(out, r, 0, r.count);
        return std::fill_n(out, integerDigits - r.count, '0');
    }
    out = CopyDigits(out, r, 0, integerDigits);
    *out++ = '.';
    return CopyDigits(out, r, integerDigits, r.count);
}

// 1.234568E+07, 1E-05, 1.5E-20: at least two exponent digits.
char* WriteExponential(char* out, const Rounded& r) {
    out = CopyDigits(out, r, 0, 1);
    if (r.count > 1) {
        *out++ = '.';
        out = CopyDigits(out, r, 1, r.count);
    }
    *out++ = 'E';
    *out++ = r.exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(r.exponent);
    if (magnitude < 10) {
        *out++ = '0';
    }
    return std::to_chars(out, out + 4, magnitude).ptr;
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
    // Written with "." first: "-0.0001234567" and "-1.234568E-45" are the longest texts.
    std::array<char, 24> buffer{};
    char* out = buffer.data();
    *out = '-';
    out += rounded.negative ? 1 : 0;
    const bool plain = rounded.exponent >= -4 && rounded.exponent <= 6;
    out = plain ? WritePlain(out, rounded) : WriteExponential(out, rounded);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
    if (decimalSeparator == ".") {
        return std::string(text);
    }
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos) {
        return std::string(text);
    }
    return std::string(text.substr(0, point))
        .append(decimalSeparator)
        .append(text.substr(point + 1));
}

} // namespace tallix
