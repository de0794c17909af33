#include "engine/FunctionLibrary.h"

#include "engine/CheckedArithmetic.h"
#include "engine/FunctionNames.h"
#include "engine/Pi.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <random>

namespace tallix {
namespace {

FunctionOutcome NoRealValue() {
    return std::nullopt;
}

// x * x is an intermediate step like any other: beyond about 1.34e154 it
// leaves the double range and fails.
double Square(double x) {
    return Checked(x * x);
}

FunctionOutcome Reciprocal(double denominator) {
    if (denominator == 0.0) {
        return NoRealValue();
    }
    return Checked(1.0 / denominator);
}

// One generator for the whole run, with the engine's fixed default seed and
// never reseeded, so a run's sequence of RND values is reproducible. 24
// random bits scaled by 2^-24 are exact in single precision, so a draw can
// never round up to 1.
float NextRandom() {
    static std::mt19937 generator;
    return static_cast<float>(generator() >> 8) * 0x1p-24f;
}

FunctionOutcome Sin(double x) {
    return std::sin(x);
}
FunctionOutcome Cos(double x) {
    return std::cos(x);
}
FunctionOutcome Tan(double x) {
    return std::tan(x);
}
FunctionOutcome Sec(double x) {
    return Reciprocal(std::cos(x));
}
FunctionOutcome Csec(double x) {
    return Reciprocal(std::sin(x));
}
FunctionOutcome Ctan(double x) {
    return Reciprocal(std::tan(x));
}

FunctionOutcome Log(double x) {
    if (x <= 0.0) {
        return NoRealValue();
    }
    return std::log(x);
}

FunctionOutcome Exp(double x) {
    return Checked(std::exp(x));
}
FunctionOutcome Abs(double x) {
    return std::fabs(x);
}
FunctionOutcome Atan(double x) {
    return std::atan(x);
}
FunctionOutcome Int(double x) {
    return std::floor(x);
}
FunctionOutcome Rnd(double /*ignored*/) {
    return NextRandom();
}

FunctionOutcome Sqr(double x) {
    if (x < 0.0) {
        return NoRealValue();
    }
    return std::sqrt(x);
}

FunctionOutcome Asin(double x) {
    const double d = 1.0 - Square(x);
    if (d < 0.0) {
        return NoRealValue();
    }
    if (d == 0.0) {
        return x < 0.0 ? -kPi / 2.0 : kPi / 2.0;
    }
    return std::atan(x / std::sqrt(d));
}

// ACOS of exactly 1 is the 16-bit integer 0, as the formula's special case.
FunctionOutcome Acos(double x) {
    const double d = 1.0 - Square(x);
    if (d < 0.0) {
        return NoRealValue();
    }
    if (d == 0.0 && x > 0.0) {
        return std::int16_t{0};
    }
    if (d == 0.0) {
        return kPi;
    }
    return std::atan(-x / std::sqrt(d)) + 2.0 * std::atan(1.0);
}

// Both guards of ASEC and ACSEC (x*x - 1 equal to 0, then below 0) end in
// the same outcome, so one test covers them.
FunctionOutcome Asec(double x) {
    if (Square(x) - 1.0 <= 0.0) {
        return NoRealValue();
    }
    return std::acos(1.0 / x);
}

FunctionOutcome Acsec(double x) {
    if (Square(x) - 1.0 <= 0.0) {
        return NoRealValue();
    }
    return std::asin(1.0 / x);
}

FunctionOutcome Actan(double x) {
    return 2.0 * std::atan(1.0) - std::atan(x);
}

// The hyperbolic family gives the true value of each function for the
// argument given. The textbook exponential formulas cancel for small
// arguments and overflow in e^x or x*x where the value itself is ordinary,
// so the library's own functions and cancellation-free identities are used.
FunctionOutcome Sinh(double x) {
    return Checked(std::sinh(x));
}
FunctionOutcome Cosh(double x) {
    return Checked(std::cosh(x));
}
FunctionOutcome Tanh(double x) {
    return std::tanh(x);
}
FunctionOutcome Ctanh(double x) {
    return Reciprocal(std::tanh(x));
}
// cosh beyond the double range means a value below it: 1 / infinity is 0.
FunctionOutcome Sech(double x) {
    return 1.0 / std::cosh(x);
}
FunctionOutcome Csech(double x) {
    return Reciprocal(std::sinh(x));
}
FunctionOutcome Asinh(double x) {
    return std::asinh(x);
}

FunctionOutcome Acosh(double x) {
    if (x < 1.0) {
        return NoRealValue();
    }
    return std::acosh(x);
}

FunctionOutcome Atanh(double x) {
    if (!(std::fabs(x) < 1.0)) {
        return NoRealValue();
    }
    return std::atanh(x);
}

// acosh(1/x) = ln((1 + sqrt(1 - x^2)) / x), written so that 1/x cannot
// overflow for tiny x and 1 - x^2 does not cancel near 1; both terms are
// non-negative, so their sum loses nothing.
FunctionOutcome Asech(double x) {
    if (!(x > 0.0 && x <= 1.0)) {
        return NoRealValue();
    }
    return std::log1p(std::sqrt((1.0 - x) * (1.0 + x))) - std::log(x);
}

// asinh(1/x), odd in x; for |x| <= 1 as ln(1 + sqrt(1 + x^2)) - ln|x|, whose
// terms are both non-negative, so 1/x cannot overflow for tiny x.
FunctionOutcome Acsech(double x) {
    if (x == 0.0) {
        return NoRealValue();
    }
    const double m = std::fabs(x);
    const double magnitude =
        m > 1.0 ? std::asinh(1.0 / m) : std::log1p(std::hypot(1.0, m)) - std::log(m);
    return std::copysign(magnitude, x);
}

// atanh(1/x): near |x| = 1 the reciprocal is all but exact, since the
// doubles just below 1 lie twice as densely as those just above it.
FunctionOutcome Actanh(double x) {
    if (std::fabs(x) <= 1.0) {
        return NoRealValue();
    }
    return std::atanh(1.0 / x);
}

constexpr bool kAngle = true;
constexpr bool kPlain = false;

// One row per function, each with its name; the inverse functions work at
// full precision except at the ends of ASIN and ACOS, which give kPi.
constexpr LibraryFunction kLibrary[] = {
    {"SIN", kAngle, Sin},     {"COS", kAngle, Cos},       {"LOG", kPlain, Log},
    {"EXP", kPlain, Exp},     {"ABS", kPlain, Abs},       {"ATAN", kPlain, Atan},
    {"INT", kPlain, Int},     {"RND", kPlain, Rnd},       {"SQR", kPlain, Sqr},
    {"TAN", kAngle, Tan},     {"SEC", kAngle, Sec},       {"CSEC", kAngle, Csec},
    {"CTAN", kAngle, Ctan},   {"ASIN", kPlain, Asin},     {"ACOS", kPlain, Acos},
    {"ASEC", kPlain, Asec},   {"ACSEC", kPlain, Acsec},   {"ACTAN", kPlain, Actan},
    {"SINH", kPlain, Sinh},   {"COSH", kPlain, Cosh},     {"TANH", kPlain, Tanh},
    {"CTANH", kPlain, Ctanh}, {"SECH", kPlain, Sech},     {"CSECH", kPlain, Csech},
    {"ASINH", kPlain, Asinh}, {"ACOSH", kPlain, Acosh},   {"ATANH", kPlain, Atanh},
    {"ASECH", kPlain, Asech}, {"ACSECH", kPlain, Acsech}, {"ACTANH", kPlain, Actanh},
};

// The rows name exactly the functions of kFunctionNames, each once, in
// whatever order.
constexpr bool RowsNameEachFunctionOnce() {
    for (std::string_view name : kFunctionNames) {
        std::size_t rows = 0;
        for (const LibraryFunction& function : kLibrary) {
            rows += function.name == name ? 1 : 0;
        }
        if (rows != 1) {
            return false;
        }
    }
    return std::size(kLibrary) == kFunctionNames.size();
}
static_assert(RowsNameEachFunctionOnce(), "one row for each function name");

// A name of up to seven characters packed with its length into one integer:
// equal keys mean equal names. Each character goes through `map` first.
template <typename Map> constexpr std::uint64_t NameKey(std::string_view name, Map map) {
    std::uint64_t key = name.size();
    for (std::size_t i = 0; i < name.size(); ++i) {
        key |= std::uint64_t{static_cast<unsigned char>(map(name[i]))} << (8 * (i + 1));
    }
    return key;
}
static_assert(kLongestFunctionName <= 7, "a name key holds at most seven characters");

constexpr char AsIs(char c) {
    return c;
}

constexpr char ToUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The names sit in a 64-slot table at the top six bits of key times an odd
// multiplier, found by trying odd numbers until every name had a slot of its
// own (checked below), so a look-up costs one multiplication and one
// comparison whatever the token.
constexpr std::uint64_t kSlotMultiplier = 0x9b6e4823dd720b15;
constexpr int kSlotBits = 6;

constexpr std::size_t SlotOf(std::uint64_t key) {
    return static_cast<std::size_t>((key * kSlotMultiplier) >> (64 - kSlotBits));
}

// No name has this key: its length byte would be 255.
constexpr std::uint64_t kNoName = ~std::uint64_t{0};

struct NameSlots {
    std::array<std::uint64_t, std::size_t{1} << kSlotBits> key{};  // kNoName in an empty slot
    std::array<std::uint8_t, std::size_t{1} << kSlotBits> index{}; // into kLibrary
    bool eachNameAlone = true;
};

constexpr NameSlots kNameSlots = [] {
    NameSlots slots;
    slots.key.fill(kNoName);
    for (std::size_t i = 0; i < std::size(kLibrary); ++i) {
        const std::uint64_t key = NameKey(kLibrary[i].name, AsIs);
        const std::size_t slot = SlotOf(key);
        slots.eachNameAlone = slots.eachNameAlone && slots.key[slot] == kNoName;
        slots.key[slot] = key;
        slots.index[slot] = static_cast<std::uint8_t>(i);
    }
    return slots;
}();
static_assert(kNameSlots.eachNameAlone,
              "two function names share a slot: choose another multiplier");

template <typename Map> const LibraryFunction* FindByKey(std::string_view name, Map map) noexcept {
    if (name.size() > kLongestFunctionName) {
        return nullptr;
    }
    const std::uint64_t key = NameKey(name, map);
    const std::size_t slot = SlotOf(key);
    return kNameSlots.key[slot] == key ? &kLibrary[kNameSlots.index[slot]] : nullptr;
}

} // namespace

const LibraryFunction* FindFunction(std::string_view sToken) noexcept {
    return FindByKey(sToken, AsIs);
}

const LibraryFunction* FindFunctionIgnoringCase(std::string_view name) noexcept {
    return FindByKey(name, ToUpper);
}

std::size_t FunctionIndex(const LibraryFunction& function) noexcept {
    return static_cast<std::size_t>(&function - kLibrary);
}

const LibraryFunction& FunctionAt(std::size_t index) noexcept {
    return kLibrary[index];
}

FunctionOutcome ApplyFunction(const LibraryFunction& function, double x, bool degrees) {
    if (function.takesAngle && degrees) {
        x = Checked(x * kPi) / 180.0;
    }
    return function.compute(x);
}

} // namespace tallix
