// --help and the manual page tell the same story: the options the program
// takes, every function, the line limit; and the page is well-formed.
#include "engine/FunctionNames.h"
#include "tests/cli/CliProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using tallix::testing::Outcome;
using tallix::testing::ReadFile;
using tallix::testing::RunCliOutcome;

// Every captured group of every match of `pattern`.
std::set<std::string> Found(const std::string& text, const char* pattern) {
    std::set<std::string> found;
    const std::regex regex(pattern);
    for (auto match = std::sregex_iterator(text.begin(), text.end(), regex);
         match != std::sregex_iterator(); ++match) {
        for (std::size_t group = 1; group < match->size(); ++group) {
            if ((*match)[group].matched) {
                found.insert((*match)[group].str());
            }
        }
    }
    return found;
}

// The function list: lines of upper-case names only.
std::set<std::string> Functions(const std::string& text) {
    std::set<std::string> names;
    for (const std::string& line : Found(text, R"(\n *((?:[A-Z]+ )+[A-Z]+)\.?(?=\n))")) {
        names.merge(Found(line, "([A-Z]+)"));
    }
    return names;
}

// An mdoc page writes an option as the macro Fl and its name without the
// first dash: "Fl u", "Fl -line-buffered".
std::set<std::string> PageOptions(const std::string& page) {
    std::set<std::string> options;
    for (const std::string& flag : Found(page, "Fl (-?[a-z][a-z-]*)")) {
        options.insert("-" + flag);
    }
    return options;
}

TEST(HelpAndManPage, NameTheSameOptionsFunctionsAndLimit) {
    const auto [status, help, unused] = tallix::testing::RunCliOutcome({"--help"});
    ASSERT_EQ(status, 0);
    const std::string page = ReadFile(TALLIX_MAN_PAGE);
    // Option lines of --help: "  -u, --line-buffered  ..." or "  --postfix  ...".
    EXPECT_EQ(PageOptions(page), Found(help, R"(\n  (?:(-\w), )?(--[a-z][a-z-]*))"));
    const std::set<std::string> names(tallix::kFunctionNames.begin(), tallix::kFunctionNames.end());
    EXPECT_EQ(Functions(help), names);
    EXPECT_EQ(Functions(page), names);
    for (const char* part : {"Usage: tallix-cli", "32767", "Operand expected",
                             "Can not calculate the expression", "Exit status"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
    EXPECT_NE(page.find("32767"), std::string::npos);
}

// Warnings and errors judge the page itself; mandoc's style notes also judge
// the machine (which other manuals happen to be installed, how fresh its
// manual database is), so they are left out.
TEST(HelpAndManPage, PagePassesMandocLint) {
    if (std::system("command -v mandoc >/dev/null") != 0) {
        GTEST_SKIP() << "mandoc is not installed";
    }
    const std::string lint = std::string("mandoc -T lint -W warning ") + TALLIX_MAN_PAGE + " >&2";
    EXPECT_EQ(std::system(lint.c_str()), 0);
}

// Text with every run of white space made one space, so that a phrase is
// found however the lines around it wrap.
std::string Flowed(const std::string& text) {
    return std::regex_replace(text, std::regex(R"(\s+)"), " ");
}

// The manual page as a reader sees it, without the overstrike of bold and
// underlined letters; empty when mandoc cannot render it.
std::string RenderedPage() {
    std::FILE* pipe = popen("mandoc -T ascii " TALLIX_MAN_PAGE " 2>/dev/null", "r");
    if (pipe == nullptr) {
        return {};
    }
    std::string text;
    char buffer[4096];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        text.append(buffer, count);
    }
    return pclose(pipe) == 0 ? std::regex_replace(text, std::regex(".\b"), "") : std::string();
}

std::string Arg(int n, const std::string& message) {
    return "tallix-cli: argument " + std::to_string(n) + ": " + message + "\n";
}

const std::string kCannot = "Can not calculate the expression";

// Every example --help and the page give, run as they say: the phrase that
// gives it, whether --help gives it too (the page gives them all), the
// arguments and standard input, then exit status, standard output and error.
// clang-format off
const std::tuple<const char*, bool, std::vector<std::string>, std::string, int, std::string, std::string>
    kExamples[] = {
    {"e.g. 0.3333333 or 1.234568E+07", true, {"1/3", "12345678"}, "", 0, "0.3333333\n1.234568E+07\n", ""},
    {"(1.5, 1,5, .5, 5.)", true, {"1.5", "1,5", ".5", "5."}, "", 0, "1.5\n1.5\n0.5\n5\n", ""},
    {"there is no exponent notation", true, {"1E5"}, "",
     1, "\n", Arg(1, "Syntax Error: Character 2:  Undefined symbol : 'E'")},
    {"letters may be in any case", true, {"SiN(X)", "sin(x)"}, "", 0, "0.841471\n0.841471\n", ""},
    {"PI is 3.1415926", true, {"--postfix", "pi"}, "", 0, "3.1415926\n", ""},
    {"X is the variable, whose value is 1", true, {"x"}, "", 0, "1\n", ""},
    {"One sign may begin an operand (2*-3, 2^-1, +5)", true, {"2*-3", "2^-1", "+5"}, "",
     0, "-6\n0.5\n5\n", ""},
    {"but not two (2--3)", true, {"2--3"}, "",
     1, "\n", Arg(1, "Syntax Error: Character 2:  Operand expected")},
    {"sin 30 is read as sin30, which is refused", true, {"sin 30"}, "",
     1, "\n", Arg(1, "Syntax Error: Character 4:  Open parenthesis expected")},
    {"sin x as the unknown name sinx", true, {"sin x"}, "",
     1, "\n", Arg(1, "Syntax Error: Character 0:  Undefined symbol : 'sinx'")},
    {"LOG is the natural logarithm, SQR the square root, INT rounds down", true,
     {"log(exp(2))", "sqr(9)", "int(-1.5)"}, "", 0, "2\n3\n-2\n", ""},
    {"Inverse functions answer in radians in both angle modes", true, {"--degrees", "asin(1)"}, "",
     0, "1.570796\n", ""},
    {"SIN, COS, TAN, SEC, CSEC and CTAN take degrees", true,
     {"--degrees", "sin(30)", "cos(60)", "tan(45)", "sec(60)", "csec(30)", "ctan(45)"}, "",
     0, "0.5\n0.5\n1\n2\n2\n1\n", ""},
    {"a function outside its domain, or a negative base with a fractional exponent", true,
     {"1/0", "sqr(-1)", "(-8)^(1/3)"}, "", 1, "\n\n\n", Arg(1, kCannot) + Arg(2, kCannot) + Arg(3, kCannot)},
    {"the result is too large", true, {"10^300*10^300"}, "", 1, "\n", Arg(1, "Error: Overflow")},
    {"$ printf '1+1\\n1+\\n2*3\\n' | tallix-cli 2 6 tallix-cli: line 2: Syntax Error: Character 2: Operand expected",
     false, {}, "1+1\n1+\n2*3\n",
     1, "2\n\n6\n", "tallix-cli: line 2: Syntax Error: Character 2:  Operand expected\n"},
    {"$ tallix-cli --degrees -- '2sin(30)' '-1/4' 1 -0.25", false,
     {"--degrees", "--", "2sin(30)", "-1/4"}, "", 0, "1\n-0.25\n", ""},
    {"$ echo 2x | tallix-cli 1 - 3 1 2 3", false, {"1", "-", "3"}, "2x\n", 0, "1\n2\n3\n", ""},
};

// Examples that say one expression is read as another: the phrase, then the
// two expressions, which must translate alike.
const std::tuple<const char*, const char*, const char*> kSameAs[] = {
    {"2x, 2(x+1), (x+1)(x-1), (x+1)2, x2, 2pi", "2x",         "2*x"},
    {"2x, 2(x+1), (x+1)(x-1), (x+1)2, x2, 2pi", "2(x+1)",     "2*(x+1)"},
    {"2x, 2(x+1), (x+1)(x-1), (x+1)2, x2, 2pi", "(x+1)(x-1)", "(x+1)*(x-1)"},
    {"2x, 2(x+1), (x+1)(x-1), (x+1)2, x2, 2pi", "(x+1)2",     "(x+1)*2"},
    {"2x, 2(x+1), (x+1)(x-1), (x+1)2, x2, 2pi", "x2",         "x*2"},
    {"2x, 2(x+1), (x+1)(x-1), (x+1)2, x2, 2pi", "2pi",        "2*pi"},
    {"(-2*3 is (-2)*3)",                        "-2*3",       "(-2)*3"},
    {"(-2^2 is -(2^2))",                        "-2^2",       "-(2^2)"},
    {"(sin(x)^2 is (sin(x))^2)",                "sin(x)^2",   "(sin(x))^2"},
    {"2^3^2 is (2^3)^2",                        "2^3^2",      "(2^3)^2"},
    {"(sin(x), sin(30))",                       "sin(30)",    "sin((30))"},
    {"(sin -x, sin+x)",                         "sin -x",     "sin(-x)"},
    {"(sin -x, sin+x)",                         "sin+x",      "sin(x)"},
};
// clang-format on

TEST(HelpAndManPage, EveryExampleDoesWhatTheTextSays) {
    const std::string page = Flowed(RenderedPage());
    if (page.empty()) {
        GTEST_SKIP() << "mandoc is needed to read the manual page as rendered";
    }
    const std::string help = Flowed(std::get<1>(RunCliOutcome({"--help"})));
    for (const auto& [phrase, inHelp, args, input, status, out, err] : kExamples) {
        EXPECT_NE(page.find(phrase), std::string::npos) << "not in the page: " << phrase;
        EXPECT_TRUE(!inHelp || help.find(phrase) != std::string::npos)
            << "not in --help: " << phrase;
        EXPECT_EQ(RunCliOutcome(args, input), Outcome(status, out, err)) << phrase;
    }
    for (const auto& [phrase, written, meaning] : kSameAs) {
        EXPECT_NE(page.find(phrase), std::string::npos) << "not in the page: " << phrase;
        EXPECT_NE(help.find(phrase), std::string::npos) << "not in --help: " << phrase;
        const Outcome translated = RunCliOutcome({"--postfix", "--", written});
        EXPECT_EQ(std::get<0>(translated), 0) << written;
        EXPECT_EQ(translated, RunCliOutcome({"--postfix", "--", meaning})) << written;
    }
}

} // namespace
