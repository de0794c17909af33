#pragma once

#include <array>
#include <string_view>

namespace tallix::bench {

// One typical input, as typed into Tallix and as muparser spells the same
// calculation: explicit "*", "_pi", "ln" and "sqrt", and the functions it
// lacks written out through identities.
struct CorpusEntry {
    std::string_view name;
    std::string_view tallix;
    std::string_view muparser;
};

inline constexpr std::array<CorpusEntry, 14> kCorpus = {{
    {"Sum", "1+2", "1+2"},
    {"Quotient", "1/3", "1/3"},
    {"Power", "2^10", "2^10"},
    {"ImplicitProduct", "2x+1", "2*x+1"},
    {"Sine", "sin(30)", "sin(30)"},
    {"ScaledSine", "2sin(30)", "2*sin(30)"},
    {"Parentheses", "(1+2)*(3-4)/5", "(1+2)*(3-4)/5"},
    {"Root", "sqr(2)", "sqrt(2)"},
    {"CircleArea", "pi*x^2", "_pi*x^2"},
    {"LogAndExp", "log(10)+exp(1)", "ln(10)+exp(1)"},
    {"AbsAndInt", "abs(-3.5)+int(2.7)", "abs(-3.5)+rint(2.7-0.5)"},
    {"Secant", "sec(1)*2", "1/cos(1)*2"},
    {"Hyperbolic", "sinh(1)+cosh(1)*tanh(0.5)", "sinh(1)+cosh(1)*tanh(0.5)"},
    // About 200 characters, as a long formula typed in one go.
    {"LongFormula",
     "(1.5+2.25)*(3.75-0.5)/(2+sin(0.5))+sqr(16)*cos(1)-log(2.5)+exp(0.5)*(x+1)^2-abs(-7.25)"
     "+atan(0.75)*(4-x)/(1+x^2)+tanh(0.3)*(2.5+x)-(8/(1+x))^0.5+2pi(x+3)-int(7.9)/4"
     "+acos(0.25)*sqr(x+8)-1/(3+x)+5.125",
     "(1.5+2.25)*(3.75-0.5)/(2+sin(0.5))+sqrt(16)*cos(1)-ln(2.5)+exp(0.5)*(x+1)^2-abs(-7.25)"
     "+atan(0.75)*(4-x)/(1+x^2)+tanh(0.3)*(2.5+x)-(8/(1+x))^0.5+2*_pi*(x+3)-rint(7.9-0.5)/4"
     "+acos(0.25)*sqrt(x+8)-1/(3+x)+5.125"},
}};

} // namespace tallix::bench
