#include "engine/NIModule.h"

#include <array>
#include <cstdint>
#include <utility>

namespace tallix::NIModule {

namespace {

// Character sets of the text preparation. Each is an exact, case-sensitive
// list; a character is in a set when the list holds it.
constexpr std::string_view kAcceptedSet =
    "-1234567890.+*/^()abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
// Characters that can end an operand: a digit or a closing parenthesis.
constexpr std::string_view kOperandEndSet = "1234567890)";
// Characters that can start an operand other than a number: a letter or "(".
constexpr std::string_view kOperandStartSet =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ(";
// Letters that may stand alone as an operand (x, and the i of pi, among others).
constexpr std::string_view kSingleLetterSet = "abnrtxyziABNRTXYZI";
constexpr std::string_view kNumberOrGroupSet = "1234567890.,(";
constexpr std::string_view kNumberSet = "1234567890.,";
// What may stand before a single letter for it to count as a whole operand:
// the letter starts the text after a number, an operator or a parenthesis, or
// it is the i of a "pi".
constexpr std::string_view kLeadSet = "1234567890+-*/^()pP";

// One bit per set, so that membership is one table look-up, not a search.
enum SetBit : std::uint8_t {
    kAccepted = 1 << 0,
    kOperandEnd = 1 << 1,
    kOperandStart = 1 << 2,
    kSingleLetter = 1 << 3,
    kNumberOrGroup = 1 << 4,
    kNumber = 1 << 5,
    kLead = 1 << 6,
};

// For every character code, the bits of the sets whose lists hold it; built
// from the lists above when compiling, so they remain the only definition.
constexpr auto kSetsOf = [] {
    constexpr std::pair<std::string_view, SetBit> kSets[] = {
        {kAcceptedSet, kAccepted},
        {kOperandEndSet, kOperandEnd},
        {kOperandStartSet, kOperandStart},
        {kSingleLetterSet, kSingleLetter},
        {kNumberOrGroupSet, kNumberOrGroup},
        {kNumberSet, kNumber},
        {kLeadSet, kLead},
    };
    std::array<std::uint8_t, 256> table{};
    for (const auto& [list, bit] : kSets) {
        for (char c : list) {
            table[static_cast<unsigned char>(c)] |= bit;
        }
    }
    return table;
}();

bool InSet(SetBit set, char c) {
    return (kSetsOf[static_cast<unsigned char>(c)] & set) != 0;
}

// Whether a "*" goes after t[i], judged on the input alone; t[i + 1] exists.
bool NeedsMultiply(std::string_view t, std::size_t i) {
    const char cur = t[i];
    const char next = t[i + 1];
    if (InSet(kOperandEnd, cur) && InSet(kOperandStart, next)) {
        return true; // 2x, 2(, )(
    }
    if (cur == ')' && InSet(kNumber, next)) {
        return true; // )2
    }
    return InSet(kSingleLetter, cur) && InSet(kNumberOrGroup, next) &&
           (i == 0 || InSet(kLead, t[i - 1])); // x2, x(, pi2
}

} // namespace

bool ValidateExpression(std::string_view sExpression, std::string& sOutput) {
    // The output is never longer than the input: written in place, then cut.
    sOutput.resize(sExpression.size());
    char* out = sOutput.data();
    for (char c : sExpression) {
        if (InSet(kAccepted, c)) {
            *out++ = c;
        } else if (c == ',') {
            *out++ = '.';
        } else if (c != ' ') {
            return false;
        }
    }
    sOutput.resize(static_cast<std::size_t>(out - sOutput.data()));
    // A blank edit box calculates as zero. Two or more spaces do not: they
    // reach the translator as an empty text.
    if (sExpression.empty() || sExpression == " ") {
        sOutput.assign(1, '0');
    }
    return true;
}

std::string InsertImplicitMultiply(std::string_view t) {
    if (t.size() == 1) {
        return std::string(t);
    }
    if (t.empty()) {
        // The rules compare "no character" with the sets, and the empty
        // text is found in every set, so the first rule holds once.
        return "*";
    }
    // At most one "*" after each character but the last (1a1a gives
    // 1*a*1*a): written in place, then cut.
    std::string output(2 * t.size() - 1, '\0');
    char* out = output.data();
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        *out++ = t[i];
        if (NeedsMultiply(t, i)) {
            *out++ = '*';
        }
    }
    *out++ = t.back();
    output.resize(static_cast<std::size_t>(out - output.data()));
    return output;
}

} // namespace tallix::NIModule
