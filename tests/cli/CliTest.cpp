#include "tests/cli/CliProcess.h"
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstddef>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using tallix::testing::Arg;
using tallix::testing::Line;
using tallix::testing::Outcome;
using tallix::testing::Redirect;
using tallix::testing::RunCli;

const std::string kCannot = "Can not calculate the expression";
const std::string kIllegal = "Error: The expression is illegal.";
const std::string kOperandExpected = "Syntax Error: Character 2:  Operand expected";
const std::string kTooLong = "the expression is longer than 32767 characters";
const std::string kPutDashes = " (put '--' before an expression that begins with '-')";
const std::string kTryHelp = "\nTry 'tallix-cli --help'.\n";
const std::string kBadSeparator =
    "tallix-cli: the decimal separator must be one character other than a digit, a letter, an "
    "operator, a parenthesis, a space or a control character" +
    kTryHelp;

// A line of `length` characters that calculates to 1: spaces are ignored.
std::string OneOfLength(std::size_t length) {
    return "1" + std::string(length - 1, ' ');
}

// One run: arguments, standard input, then exit status, standard output and
// standard error. Every expression has its line of output, empty when it
// gives no result.
struct CliCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out, err;
    void (*setUp)() = nullptr; // in the program's process, before it starts
};

void DiskFull() {
    Redirect(open("/dev/full", O_WRONLY), STDOUT_FILENO);
}

// Standard output is a pipe whose reader has already gone.
void ReaderGone() {
    int ends[2];
    if (pipe(ends) == 0) {
        Redirect(ends[1], STDOUT_FILENO);
        close(ends[0]);
    }
}

const std::string kDiskFull = "tallix-cli: standard output: No space left on device\n";

// A decimal separator is one character, ASCII or UTF-8, that no expression
// holds, or one of the two an expression reads as its decimal point.
CliCase Separator(const char* name, const std::string& separator, bool accepted) {
    const std::string out = accepted ? "0" + separator + "25\n" : "";
    return {name, {"--decimal-separator=" + separator, "1/4"},
            "",   accepted ? 0 : 2,
            out,  accepted ? "" : kBadSeparator};
}
constexpr bool kAccepted = true;
constexpr bool kRefused = false;

// clang-format off
const CliCase kCases[] = {
    {"Postfix", {"--postfix", "--", "2sin(30)", "2--3", "2=2", "pi"}, "", 1, "2 30 SIN *\n\n\n3.1415926\n", Arg(2, kOperandExpected) + Arg(3, kIllegal)},
    {"LastAngleOptionCounts", {"--degrees", "--radians", "--", "2sin(30)"}, "", 0, "-1.976063\n", ""},
    {"EachFailureHasItsReasonInRadians", {"sin(90)", "sqr(-1)", "3#", "1+", "10^39", "2x"}, "", 1, "0.8939967\n\n\n\n\n2\n", Arg(2, kCannot) + Arg(3, kIllegal) + Arg(4, kOperandExpected) + Arg(5, "Error: Overflow")},
    {"OptionsEndAtFirstExpression", {"1", "--degrees"}, "", 1, "1\n\n", Arg(2, "Syntax Error: Character 1:  Operand expected")},
    {"DecimalSeparatorGiven", {"--decimal-separator", ",", "2,5*1", "1E"}, "", 1, "2,5\n\n", Arg(2, "Syntax Error: Character 2:  Undefined symbol : 'E'")},
    // Standard input: one expression per line, no prompt when not a terminal.
    {"StdinLines", {}, "1+2\n\n2,5*2\r\n7", 0, "3\n0\n5\n7\n", ""},
    // "-" stands for standard input's lines, alone or among expressions; the
    // first three rows are the examples --help and the manual page give.
    {"Pipe", {}, "1+1\n1+\n2*3\n", 1, "2\n\n6\n", Line(2, kOperandExpected)},
    {"DoubleDash", {"--degrees", "--", "2sin(30)", "-1/4"}, "", 0, "1\n-0.25\n", ""},
    {"Dash", {"1", "-", "3"}, "2x\n", 0, "1\n2\n3\n", ""},
    {"DashAmongFailures", {"--degrees", "--", "5", "-", "x+"}, "sin(30)\n2*\n", 1, "5\n0.5\n\n\n", Line(2, kOperandExpected) + Arg(3, kOperandExpected)},
    // The longest expression is calculated; a longer one is refused, the next goes on.
    {"LongestLineBeforeCarriageReturn", {}, OneOfLength(32767) + "\r\n2\n", 0, "1\n2\n", ""},
    {"ArgumentTooLong", {"1", OneOfLength(32768), "2"}, "", 1, "1\n\n2\n", Arg(2, kTooLong)},
    {"Version", {"--version"}, "", 0, "tallix-cli 1.0\n", ""},
    // A failed write, at the end or in the middle of the run, or a failed
    // read ends the run with status 2 and one line; with SIGPIPE at its
    // default the program ends by it, as filters do.
    {"DiskFullAtTheEnd", {"1+1"}, "", 2, "", kDiskFull, DiskFull},
    {"DiskFullMidRun", {"--line-buffered"}, "1\n2\n", 2, "", kDiskFull, DiskFull},
    {"ReaderGone", {}, "1+1\n", 128 + SIGPIPE, "", "", ReaderGone},
    // Line by line, the first answer meets the gone reader before the second
    // line is read: no reason for it on standard error.
    {"LineBufferedAnswersBeforeReadingOn", {"-u"}, "1\n1+\n", 128 + SIGPIPE, "", "", ReaderGone},
    {"InputIsDirectory", {}, "", 2, "", "tallix-cli: standard input: Is a directory\n", [] { Redirect(open("/", O_RDONLY), STDIN_FILENO); }},
    // Usage errors: status 2, nothing calculated, a pointer to --help.
    {"NegativeNumberWithoutDoubleDash", {"-1"}, "1+1\n", 2, "", "tallix-cli: unknown option '-1'" + kPutDashes + kTryHelp},
    {"SeparatorWithoutValue", {"--decimal-separator"}, "1+1\n", 2, "", "tallix-cli: option '--decimal-separator' needs a value" + kTryHelp},
    // One character, ASCII or UTF-8, that no expression holds, or the point
    // or the comma; refused: no character, two, what an expression holds (the
    // engine's tests list those), control characters, and bytes that are not
    // one UTF-8 character.
    Separator("Point", ".", kAccepted), Separator("Comma", ",", kAccepted),
    Separator("Semicolon", ";", kAccepted), Separator("MiddleDot", "\u00B7", kAccepted),
    Separator("ArabicPoint", "\u066B", kAccepted), Separator("Emoji", "\U0001F600", kAccepted),
    Separator("Empty", "", kRefused), Separator("TwoCharacters", ";;", kRefused),
    Separator("PointAndComma", ".,", kRefused), Separator("Digit", "7", kRefused),
    Separator("Letter", "x", kRefused), Separator("Operator", "^", kRefused),
    Separator("Space", " ", kRefused), Separator("Tab", "\t", kRefused),
    Separator("Delete", "\x7F", kRefused), Separator("NextLine", "\u0085", kRefused),
    Separator("LoneLatinOneByte", "\xD7", kRefused), Separator("OverlongPoint", "\xC0\xAE", kRefused),
    Separator("Surrogate", "\xED\xB3\x83", kRefused),
    Separator("BeyondUnicode", "\xF4\x90\x80\x80", kRefused),
    Separator("FiveByteForm", "\xF8\x88\x80\x80\x80", kRefused),
    Separator("CutShort", "\xE2\x82", kRefused),
};
// clang-format on

class Cli : public ::testing::TestWithParam<CliCase> {};

TEST_P(Cli, PrintsOneLinePerExpressionAndExitStatus) {
    const CliCase& c = GetParam();
    EXPECT_EQ(RunCli(c.args, c.input, c.setUp), Outcome(c.status, c.out, c.err));
}

INSTANTIATE_TEST_SUITE_P(Runs, Cli, ::testing::ValuesIn(kCases), tallix::testing::RowName{});

TEST(CliRandom, GeneratorRunsOnAcrossExpressionsAndStartsAlike) {
    const std::string twoDraws = std::get<1>(RunCli({"rnd(1)", "rnd(1)"}));
    const std::string firstDraw = twoDraws.substr(0, twoDraws.find('\n') + 1);
    EXPECT_NE(twoDraws, firstDraw + firstDraw);
    EXPECT_EQ(RunCli({"rnd(1)"}), Outcome(0, firstDraw, ""));
}

} // namespace
