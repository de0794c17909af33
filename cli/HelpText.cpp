#include "cli/HelpText.h"

#include "cli/ExpressionRunner.h"
#include "engine/FunctionNames.h"
#include "engine/SyntaxError.h"

#include <string>

namespace tallix::cli {

namespace {

constexpr std::string_view kUsage =
    R"(Usage: tallix-cli [--degrees | --radians] [--decimal-separator C] [--postfix]
                  [-u | --line-buffered] [--] [EXPRESSION | -]...

Calculates each EXPRESSION exactly as the Tallix calculator does and prints
exactly one line per expression on standard output: the result (at most
seven significant digits, e.g. 0.3333333 or 1.234568E+07), or an empty line
when there is none, its reason on standard error. "-" among the
expressions, or no EXPRESSION at all, reads one expression per line from
standard input; when standard input and output are both terminals, lines
are read with editing: arrows, Home and End move, Up and Down recall this
session's earlier lines (never saved), Ctrl+C abandons the line, Ctrl+D on
an empty line ends; any other key typed goes into the line as from a pipe.

Options:
  --degrees              SIN, COS, TAN, SEC, CSEC and CTAN take degrees
  --radians              they take radians (the default); the last of the
                         two given counts
  --decimal-separator C  write results with C as the decimal separator: "."
                         or ",", or one other character (ASCII or UTF-8)
                         that no expression holds and that prints, not a
                         digit, a letter, an operator, a parenthesis or a
                         space (default: the locale's, from LC_ALL,
                         LC_NUMERIC or LANG; "." where the locale's is
                         neither "." nor ",")
  --postfix              translate only: print each expression in postfix
                         order, tokens separated by single spaces
  -u, --line-buffered    write each line of output at once, for a program
                         that waits for each answer; otherwise output is
                         written in large blocks unless it is a terminal
  --                     end of options; needed before an expression that
                         begins with "-"
  -h, --help             show this text
  --version              show the version

Options come before the expressions: the first argument that is "-" or
does not begin with "-", and every argument after it, are expressions.

Limits:
  An expression longer than )";

constexpr std::string_view kBeforeFunctions = R"( characters (bytes), as many as
  the calculator's edit box holds, is refused with a message, and is never
  read into memory whole; the next line goes on. So does running out of
  memory during a calculation.

Expressions:
  Numbers are decimal, with at most one "." or "," (1.5, 1,5, .5, 5.); there
  is no exponent notation. Spaces are ignored; letters may be in any case.
  PI is 3.1415926; X is the variable, whose value is 1.
  A product may omit its sign: 2x, 2(x+1), (x+1)(x-1), (x+1)2, x2, 2pi.
  Any other character makes the expression illegal.

Operators, from the loosest binding to the tightest:
  + -         sum, difference
  * /         product, quotient
  -           negation (-2*3 is (-2)*3)
  ^           power (-2^2 is -(2^2))
  function    (sin(x)^2 is (sin(x))^2)
  Every binary operator groups from the left, ^ included: 2^3^2 is (2^3)^2.
  One sign may begin an operand (2*-3, 2^-1, +5), but not two (2--3).

Functions of one argument, which follows in parentheses (sin(x), sin(30))
or after a sign (sin -x, sin+x). Spaces are removed first, so sin 30 is
read as sin30, which is refused, and sin x as the unknown name sinx:
)";

constexpr std::string_view kAfterFunctions = R"(
  LOG is the natural logarithm, SQR the square root, INT rounds down, RND
  ignores its argument and gives the next pseudo-random value in [0, 1).
  Inverse functions answer in radians in both angle modes.

Messages (on standard error, one line each, "tallix-cli: PLACE: MESSAGE";
PLACE is "line N" of standard input, counted over the whole run, or
"argument N", the Nth argument after the options; when the expressions come
from the arguments alone or from standard input alone, N is also the line of
standard output answering it):
  Error: The expression is illegal.          a character that is not allowed
  Syntax Error: Character N:  MESSAGE        the first syntax error, N counts
                                             characters of the expression
                                             with spaces removed and "*"
                                             inserted
  Can not calculate the expression           division by zero, a function
                                             outside its domain, or a
                                             negative base with a fractional
                                             exponent
  Error: DESCRIPTION                         the calculation failed, e.g. the
                                             result is too large
  The syntax errors, each with what raises it:
)";

constexpr std::string_view kAfterSyntaxErrors = R"(
Exit status:
  0  every expression gave a result (with --postfix: was translated)
  1  at least one did not
  2  the command line is wrong, or reading standard input or writing
     standard output failed (the run ends there, with a message)
)";

constexpr std::size_t kFunctionsPerLine = 10;

std::string FunctionList() {
    std::string list;
    for (std::size_t i = 0; i < kFunctionNames.size(); ++i) {
        list += i % kFunctionsPerLine == 0 ? "  " : " ";
        list += kFunctionNames[i];
        if (i % kFunctionsPerLine == kFunctionsPerLine - 1) {
            list += '\n';
        }
    }
    return list;
}

std::string SyntaxErrorList() {
    std::string list;
    for (const SyntaxErrorRow& row : kSyntaxErrors) {
        list.append("    ").append(row.message).append("\n");
        list.append("        ").append(row.situation).append("\n");
    }
    return list;
}

} // namespace

std::string_view HelpText() {
    static const std::string text = std::string(kUsage) + std::to_string(kMaxExpressionLength) +
                                    std::string(kBeforeFunctions) + FunctionList() +
                                    std::string(kAfterFunctions) + SyntaxErrorList() +
                                    std::string(kAfterSyntaxErrors);
    return text;
}

} // namespace tallix::cli
