#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs tallix-cli with the arguments, feeding `input` on standard input.
// Standard input, output and error are files, so no pipe can fill up.
ProcessResult RunCli(const std::vector<std::string>& args, const std::string& input = "") {
    const std::string base = ::testing::TempDir() + "tallix_cli_" + std::to_string(getpid());
    const std::string inPath = base + ".in";
    const std::string outPath = base + ".out";
    const std::string errPath = base + ".err";
    std::ofstream(inPath, std::ios::binary) << input;

    std::vector<std::string> argStrings{TALLIX_CLI_PATH};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStrings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    ProcessResult result;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int waitStatus = 0;
        waitpid(pid, &waitStatus, 0);
        result.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    for (const std::string& path : {inPath, outPath, errPath}) {
        std::remove(path.c_str());
    }
    return result;
}

struct CliCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
    std::string err;
};

std::ostream& operator<<(std::ostream& os, const CliCase& c) {
    return os << c.name;
}

class CliRunTest : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliRunTest, PrintsLinesAndExitStatus) {
    const CliCase& c = GetParam();
    const ProcessResult result = RunCli(c.args, c.input);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
}

// One row per run: arguments, standard input, then exit status, standard
// output and standard error. Rows are laid out by hand, one field per line
// where they are long.
// clang-format off
const CliCase kCliCases[] = {
    // --postfix stops after translation.
    {"PostfixOfImplicitProduct", {"--postfix", "--", "2sin(30)"}, "",
     0, "2 30 SIN *\n", ""},
    {"PostfixSyntaxError", {"--postfix", "--", "2--3"}, "",
     1, "", "Syntax Error: Character 2:  Operand expected\n"},
    {"PostfixIllegalAmongGood", {"--postfix", "1+2", "2=2", "pi"}, "",
     1, "1 2 +\n3.1415926\n", "Error: The expression is illegal.\n"},
    // Calculation.
    {"RadiansByDefault", {"sin(90)"}, "",
     0, "0.8939967\n", ""},
    {"Degrees", {"--degrees", "--", "2sin(30)"}, "",
     0, "1\n", ""},
    {"LastAngleOptionCounts", {"--degrees", "--radians", "sin(90)"}, "",
     0, "0.8939967\n", ""},
    {"CannotCalculate", {"--", "1/0"}, "",
     1, "Can not calculate the expression\n", ""},
    {"OneFailureFailsTheRun", {"1+2", "sqr(-1)", "3#", "2x"}, "",
     1, "3\nCan not calculate the expression\n2\n", "Error: The expression is illegal.\n"},
    {"SyntaxErrorPrintsNoResult", {"1+", "2^10"}, "",
     1, "1024\n", "Syntax Error: Character 2:  Operand expected\n"},
    {"DoubleDashAllowsLeadingMinus", {"--", "-2^2"}, "",
     0, "-4\n", ""},
    {"OptionsEndAtFirstExpression", {"1", "--degrees"}, "",
     1, "1\n", "Syntax Error: Character 1:  Operand expected\n"},
    {"DecimalSeparatorGiven", {"--decimal-separator", ",", "2,5*1", "1E"}, "",
     1, "2,5\n", "Syntax Error: Character 2:  Undefined symbol : 'E'\n"},
    {"DecimalSeparatorJoined", {"--decimal-separator=;", "1/4"}, "",
     0, "0;25\n", ""},
    // Standard input: one expression per line, no prompt when not a terminal.
    {"StdinLines", {}, "1+2\n\n2,5*2\r\n7",
     0, "3\n0\n5\n7\n", ""},
    {"StdinWithError", {"--degrees"}, "sin(30)\n1+\n",
     1, "0.5\n", "Syntax Error: Character 2:  Operand expected\n"},
    {"StdinPostfix", {"--postfix"}, "x^2\n",
     0, "XX 2 ^\n", ""},
    {"Version", {"--version"}, "",
     0, "tallix-cli 1.0\n", ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, CliRunTest, ::testing::ValuesIn(kCliCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string complaint; // part of the first line on standard error
};

std::ostream& operator<<(std::ostream& os, const UsageCase& c) {
    return os << c.name;
}

class CliUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageTest, ExitsWithTwoAndComplains) {
    const ProcessResult result = RunCli(GetParam().args, "1+1\n");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(GetParam().complaint), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("--help"), std::string::npos) << result.err;
}

const UsageCase kUsageCases[] = {
    {"UnknownOption",                   {"--bogus", "1"},              "unknown option '--bogus'"},
    {"NegativeNumberWithoutDoubleDash", {"-1"},                        "unknown option '-1'"     },
    {"SeparatorWithoutValue",           {"--decimal-separator"},       "needs a value"           },
    {"EmptySeparator",                  {"--decimal-separator=", "1"}, "must not be empty"       },
};

INSTANTIATE_TEST_SUITE_P(Cases, CliUsageTest, ::testing::ValuesIn(kUsageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Cli, EvaluatorFailureIsReportedOnStandardError) {
    const ProcessResult result = RunCli({"10^300*10^300", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "1\n");
    EXPECT_EQ(result.err.rfind("Error: ", 0), 0u) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line";
}

TEST(Cli, RandomGeneratorRunsOnAcrossExpressionsAndStartsAlike) {
    const ProcessResult first = RunCli({"rnd(1)", "rnd(1)"});
    const ProcessResult second = RunCli({"rnd(1)"});
    ASSERT_EQ(first.status, 0);
    const std::string firstDraw = first.out.substr(0, first.out.find('\n') + 1);
    EXPECT_NE(first.out, firstDraw + firstDraw);
    EXPECT_EQ(second.out, firstDraw);
}

TEST(Cli, HelpExplainsUsageFunctionsAndExitStatus) {
    const ProcessResult result = RunCli({"--help"});
    EXPECT_EQ(result.status, 0);
    for (const char* part : {"Usage: tallix-cli", "--postfix", "ACTANH", "Operand expected",
                             "Can not calculate the expression", "Exit status"}) {
        EXPECT_NE(result.out.find(part), std::string::npos) << part;
    }
}

} // namespace
