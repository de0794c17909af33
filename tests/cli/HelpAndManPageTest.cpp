// --help and the manual page tell the same story: the options the program
// takes, every function, the line limit; and the page is well-formed.
#include "engine/FunctionNames.h"
#include "tests/cli/CliProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>

namespace {

using tallix::testing::ReadFile;

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

} // namespace
