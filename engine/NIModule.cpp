#include "NIModule.h"

namespace tallix::NIModule {

namespace {

// Character sets of the text preparation. Each is an exact, case-sensitive
// list; membership is a search in the list.
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

bool InSet(std::string_view set, char c) {
    return set.find(c) != std::string_view::npos;
}

// Whether a "*" goes after t[i], judged on the input alone; t[i + 1] exists.
bool NeedsMultiply(std::string_view t, std::size_t i) {
    const char cur = t[i];
    const char next = t[i + 1];
    if (InSet(kOperandEndSet, cur) && InSet(kOperandStartSet, next)) {
        return true; // 2x, 2(, )(
    }
    if (cur == ')' && InSet(kNumberSet, next)) {
        return true; // )2
    }
    return InSet(kSingleLetterSet, cur) && InSet(kNumberOrGroupSet, next) &&
           (i == 0 || InSet(kLeadSet, t[i - 1])); // x2, x(, pi2
}

} // namespace

bool ValidateExpression(std::string_view sExpression, std::string& sOutput) {
    sOutput.clear();
    sOutput.reserve(sExpression.size());
    for (char c : sExpression) {
        if (c == ' ') {
            continue;
        }
        if (c == ',') {
            sOutput.push_back('.');
        } else if (InSet(kAcceptedSet, c)) {
            sOutput.push_back(c);
        } else {
            return false;
        }
    }
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
    std::string output;
    output.reserve(t.size() + t.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        output.push_back(t[i]);
        if (NeedsMultiply(t, i)) {
            output.push_back('*');
        }
    }
    output.push_back(t.back());
    return output;
}

} // namespace tallix::NIModule
