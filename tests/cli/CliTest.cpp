#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// Exit status, standard output, standard error.
using Outcome = std::tuple<int, std::string, std::string>;

std::string ReadFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    std::remove(path.c_str());
    return text.str();
}

// Runs tallix-cli with the arguments (single-quoted for the shell; none holds
// a quote), feeding `input` on standard input. Standard input, output and
// error are files, so no pipe can fill up.
Outcome RunCli(const std::vector<std::string>& args, const std::string& input = "") {
    const std::string base = ::testing::TempDir() + "tallix_cli_" + std::to_string(getpid());
    std::ofstream(base + ".in", std::ios::binary) << input;
    std::string command = TALLIX_CLI_PATH;
    for (const std::string& arg : args) {
        command += " '" + arg + "'";
    }
    const int status =
        std::system((command + " <" + base + ".in >" + base + ".out 2>" + base + ".err").c_str());
    std::remove((base + ".in").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(base + ".out"),
            ReadFile(base + ".err")};
}

const std::string kCannot = "Can not calculate the expression\n";
const std::string kIllegal = "Error: The expression is illegal.\n";
const std::string kOperandExpected = "Syntax Error: Character 2:  Operand expected\n";
const std::string kPutDashes = " (put '--' before an expression that begins with '-')";
const std::string kTryHelp = "\nTry 'tallix-cli --help'.\n";

// One run each: name, arguments, standard input, then exit status, standard
// output and standard error.
// clang-format off
const std::tuple<const char*, std::vector<std::string>, std::string, int, std::string, std::string>
    kCliCases[] = {
    {"PostfixOfImplicitProduct", {"--postfix", "--", "2sin(30)"}, "", 0, "2 30 SIN *\n", ""},
    {"PostfixFailuresAmongGood", {"--postfix", "--", "2--3", "2=2", "pi"}, "",
     1, "3.1415926\n", kOperandExpected + kIllegal},
    {"RadiansByDefault", {"--", "sin(90)", "-0.12345", "asinh(-100000000)", "1/3"}, "",
     0, "0.8939967\n-0.12345\n-19.11383\n0.3333333\n", ""},
    {"LastAngleOptionCounts", {"--radians", "--degrees", "--", "2sin(30)"}, "", 0, "1\n", ""},
    {"CannotCalculate", {"--", "1/0"}, "", 1, kCannot, ""},
    {"OneFailureFailsTheRun", {"1+2", "sqr(-1)", "3#", "1+", "2x"}, "",
     1, "3\n" + kCannot + "2\n", kIllegal + kOperandExpected},
    {"EvaluatorFailure", {"10^300*10^300", "1"}, "", 1, "1\n", "Error: Overflow\n"},
    {"OptionsEndAtFirstExpression", {"1", "--degrees"}, "",
     1, "1\n", "Syntax Error: Character 1:  Operand expected\n"},
    {"DecimalSeparatorGiven", {"--decimal-separator", ",", "2,5*1", "1E"}, "",
     1, "2,5\n", "Syntax Error: Character 2:  Undefined symbol : 'E'\n"},
    {"DecimalSeparatorJoined", {"--decimal-separator=;", "1/4"}, "", 0, "0;25\n", ""},
    // Standard input: one expression per line, no prompt when not a terminal.
    {"StdinLines", {}, "1+2\n\n2,5*2\r\n7", 0, "3\n0\n5\n7\n", ""},
    {"StdinWithError", {"--degrees"}, "sin(30)\n1+\n", 1, "0.5\n", kOperandExpected},
    {"Version", {"--version"}, "", 0, "tallix-cli 1.0\n", ""},
    // Usage errors: status 2, nothing calculated, a pointer to --help.
    {"UnknownOption", {"--bogus", "1"}, "1+1\n",
     2, "", "tallix-cli: unknown option '--bogus'" + kPutDashes + kTryHelp},
    {"NegativeNumberWithoutDoubleDash", {"-1"}, "1+1\n",
     2, "", "tallix-cli: unknown option '-1'" + kPutDashes + kTryHelp},
    {"SeparatorWithoutValue", {"--decimal-separator"}, "1+1\n",
     2, "", "tallix-cli: option '--decimal-separator' needs a value" + kTryHelp},
    {"EmptySeparator", {"--decimal-separator=", "1"}, "1+1\n",
     2, "", "tallix-cli: the decimal separator must not be empty" + kTryHelp},
};
// clang-format on

TEST(Cli, PrintsLinesAndExitStatus) {
    for (const auto& [name, args, input, status, out, err] : kCliCases) {
        EXPECT_EQ(RunCli(args, input), Outcome(status, out, err)) << name;
    }
}

TEST(Cli, RandomGeneratorRunsOnAcrossExpressionsAndStartsAlike) {
    const auto [status, twoDraws, unused] = RunCli({"rnd(1)", "rnd(1)"});
    ASSERT_EQ(status, 0);
    const std::string firstDraw = twoDraws.substr(0, twoDraws.find('\n') + 1);
    EXPECT_NE(twoDraws, firstDraw + firstDraw);
    EXPECT_EQ(RunCli({"rnd(1)"}), Outcome(0, firstDraw, ""));
}

TEST(Cli, HelpExplainsUsageFunctionsAndExitStatus) {
    const auto [status, help, unused] = RunCli({"--help"});
    EXPECT_EQ(status, 0);
    for (const char* part : {"Usage: tallix-cli", "--postfix", "ACTANH", "Operand expected",
                             "Can not calculate the expression", "Exit status"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
}

} // namespace
