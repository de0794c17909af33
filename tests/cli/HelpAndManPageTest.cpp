// --help and the manual page tell the same story: the options the program
// takes, every function, the line limit; and the page is well-formed. They
// and the window's help page explain every message the engine gives.
#include "engine/Calculation.h"
#include "engine/EngineError.h"
#include "engine/FunctionNames.h"
#include "engine/SyntaxError.h"
#include "tests/cli/CliProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ostream>
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
    for (const char* part : {"Usage: tallix-cli", "32767", "Exit status"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
    EXPECT_NE(page.find("32767"), std::string::npos);
}

// Text with every run of white space made one space, so that a phrase is
// found however the lines around it wrap.
std::string Flowed(const std::string& text) {
    return std::regex_replace(text, std::regex(R"(\s+)"), " ");
}

// A message of the engine's tables as a pattern: the name it reports stands
// for any name, in quotes or not.
std::string MessagePattern(std::string_view message) {
    const std::string escaped =
        std::regex_replace(std::string(message), std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
    return std::regex_replace(escaped, std::regex(std::string(tallix::kSyntaxErrorName)), R"(\w+)");
}

// Every text the engine gives a user who typed something wrong: the texts of
// the failures, then every syntax error.
std::vector<std::string_view> UserMessages() {
    std::vector<std::string_view> messages = {tallix::kIllegalExpressionPrompt,
                                              tallix::kCannotCalculateText};
    for (const tallix::SyntaxErrorRow& row : tallix::kSyntaxErrors) {
        messages.push_back(row.message);
    }
    return messages;
}

// The help page's text without its markup.
std::string HelpPageText() {
    return Flowed(std::regex_replace(ReadFile(TALLIX_HELP_PAGE), std::regex("<[^>]*>"), ""));
}

// The documents that explain the messages to a reader, each as flowed text.
struct Document {
    const char* name;
    std::string (*text)();
};
const Document kDocuments[] = {
    {"usage", [] { return Flowed(std::get<1>(RunCliOutcome({"--help"}))); }},
    {"manual_page", [] { return Flowed(ReadFile(TALLIX_MAN_PAGE)); }},
    {"help_page", HelpPageText},
};

// Names the document in the test's listing.
void PrintTo(const Document& document, std::ostream* out) {
    *out << document.name;
}

class MessagesExplained : public ::testing::TestWithParam<Document> {};

TEST_P(MessagesExplained, EveryMessageOfTheEngine) {
    const std::string text = GetParam().text();
    for (const std::string_view message : UserMessages()) {
        EXPECT_TRUE(std::regex_search(text, std::regex(MessagePattern(message)))) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, MessagesExplained, ::testing::ValuesIn(kDocuments),
                         [](const auto& info) { return std::string(info.param.name); });

// The help page's tables of functions and messages hold exactly the engine's:
// a function row names the function in lower case with its argument; a row
// of the messages section shows the message in italics, the evaluator's
// failures beside the rest.
TEST(HelpPage, TablesHoldTheEngineFunctionsAndMessages) {
    const std::string page = ReadFile(TALLIX_HELP_PAGE);
    std::set<std::string> functions;
    for (const std::string& name : Found(page, R"(<td><code>([a-z]+)\(x\)</code></td>)")) {
        std::string upper = name;
        std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
        functions.insert(upper);
    }
    EXPECT_EQ(functions,
              std::set<std::string>(tallix::kFunctionNames.begin(), tallix::kFunctionNames.end()));
    std::vector<std::string_view> messages = UserMessages();
    messages.push_back(tallix::ErrorDescription::Overflow);
    messages.push_back(tallix::ErrorDescription::InvalidOperation);
    const std::string section = page.substr(page.find(R"(<h2 id="messages">)"));
    const std::set<std::string> cells = Found(section, R"(<tr><td><i>([^<]*)</i></td>)");
    for (const std::string_view message : messages) {
        const std::regex pattern(MessagePattern(message));
        const auto matches =
            std::count_if(cells.begin(), cells.end(),
                          [&](const std::string& cell) { return std::regex_match(cell, pattern); });
        EXPECT_EQ(matches, 1) << message;
    }
    EXPECT_EQ(cells.size(), messages.size());
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
