// --help and the manual page tell the same story: the options the program
// takes, every function, the line limit, every message the engine gives;
// the window's help page tabulates the functions and messages. What the
// examples in the texts say is held by the engine's tests and by the rows of
// CliTest named after them.
#include "engine/Calculation.h"
#include "engine/EngineError.h"
#include "engine/FunctionNames.h"
#include "engine/SyntaxError.h"
#include "tests/cli/CliProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <set>
#include <string>

namespace {

using tallix::testing::ReadFile;
using tallix::testing::RunCli;
using Names = std::set<std::string>;

// Every captured group of every match of `pattern`.
Names Found(const std::string& text, const char* pattern) {
    Names found;
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
Names Functions(const std::string& text) {
    Names names;
    for (const std::string& line : Found(text, R"(\n *((?:[A-Z]+ )+[A-Z]+)\.?(?=\n))")) {
        names.merge(Found(line, "([A-Z]+)"));
    }
    return names;
}

// Text with every run of white space made one space, so that a phrase is
// found however the lines around it wrap.
std::string Flowed(const std::string& text) {
    return std::regex_replace(text, std::regex(R"(\s+)"), " ");
}

// A message of the engine's tables as a pattern: the name it reports stands
// for any name, in quotes or not.
std::regex MessagePattern(std::string_view message) {
    const std::string escaped =
        std::regex_replace(std::string(message), std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
    return std::regex(
        std::regex_replace(escaped, std::regex(std::string(tallix::kSyntaxErrorName)), R"(\w+)"));
}

// Every text the engine gives a user who typed something wrong: the texts of
// the failures, then every syntax error.
Names UserMessages() {
    Names messages = {std::string(tallix::kIllegalExpressionPrompt),
                      std::string(tallix::kCannotCalculateText)};
    for (const tallix::SyntaxErrorRow& row : tallix::kSyntaxErrors) {
        messages.insert(std::string(row.message));
    }
    return messages;
}

const Names kFunctionNames(tallix::kFunctionNames.begin(), tallix::kFunctionNames.end());

TEST(HelpAndManPage, NameTheSameOptionsFunctionsLimitAndMessages) {
    const std::string help = std::get<1>(RunCli({"--help"}));
    const std::string page = ReadFile(TALLIX_MAN_PAGE);
    // Option lines of --help: "  -u, --line-buffered  ..." or "  --postfix  ...";
    // the page writes each as the macro Fl and its name without the first dash.
    EXPECT_EQ(Found(page, "Fl (-?[a-z][a-z-]*)"),
              Found(help, R"(\n  (?:-(\w), )?-(-[a-z][a-z-]*))"));
    EXPECT_EQ(Functions(help), kFunctionNames);
    EXPECT_EQ(Functions(page), kFunctionNames);
    EXPECT_NE(help.find("Usage: tallix-cli"), std::string::npos);
    EXPECT_NE(help.find("Exit status"), std::string::npos);
    EXPECT_NE(help.find("32767"), std::string::npos);
    EXPECT_NE(page.find("32767"), std::string::npos);
    for (const std::string& message : UserMessages()) {
        EXPECT_TRUE(std::regex_search(Flowed(help), MessagePattern(message))) << message;
        EXPECT_TRUE(std::regex_search(Flowed(page), MessagePattern(message))) << message;
    }
}

// A function row names the function in lower case with its argument; a row
// of the messages section shows the message in italics, the evaluator's
// failures beside the rest, its example name standing for the name reported:
// each once, and nothing else.
TEST(HelpPage, TablesHoldTheEngineFunctionsAndMessages) {
    const std::string page = ReadFile(TALLIX_HELP_PAGE);
    Names functions;
    for (std::string name : Found(page, R"(<td><code>([a-z]+)\(x\)</code></td>)")) {
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        functions.insert(name);
    }
    EXPECT_EQ(functions, kFunctionNames);
    Names messages = UserMessages();
    messages.insert(std::string(tallix::ErrorDescription::Overflow));
    messages.insert(std::string(tallix::ErrorDescription::InvalidOperation));
    const std::string section = page.substr(page.find(R"(<h2 id="messages">)"));
    Names cells;
    for (const std::string& cell : Found(section, R"(<tr><td><i>([^<]*)</i></td>)")) {
        cells.insert(std::regex_replace(cell, std::regex("'\\w+'"),
                                        "'" + std::string(tallix::kSyntaxErrorName) + "'"));
    }
    EXPECT_EQ(cells, messages);
}

} // namespace
