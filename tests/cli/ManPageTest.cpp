// The manual page says what --help says: the same options, functions and
// line limit, and it is well-formed.
#include "CliProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string ReadText(const char* path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        found.insert((*it)[1]);
    }
    return found;
}

// What --help and the page must agree on, as each spells it.
struct Vocabulary {
    std::set<std::string> options;
    std::set<std::string> functions;
};

Vocabulary FromHelp(const std::string& help) {
    // Each option begins a line of the option list, or follows its short form.
    return {Matches(help, std::regex(R"((?:\n  |, )(--?[a-z][a-z-]*))")),
            Matches(help, std::regex(R"(\b([A-Z]{3,6})\b)"))};
}

// An mdoc page names an option as "Fl -name" (shown as --name), possibly
// several on one line.
Vocabulary FromManPage(const std::string& page) {
    std::string shown;
    for (const std::string& flag : Matches(page, std::regex(R"(Fl (-?-?[a-z][a-z-]*))"))) {
        shown += " -" + flag;
    }
    const std::string withoutMacros = std::regex_replace(page, std::regex(R"(^\.\S+)"), "");
    return {Matches(shown, std::regex(R"(\s(--?[a-z][a-z-]*))")),
            Matches(withoutMacros, std::regex(R"(\b([A-Z]{3,6})\b)"))};
}

TEST(ManPage, NamesTheOptionsAndFunctionsOfHelp) {
    const auto [status, help, unused] = tallix::testing::RunCliOutcome({"--help"});
    ASSERT_EQ(status, 0);
    const std::string page = ReadText(TALLIX_MAN_PAGE);
    const Vocabulary fromHelp = FromHelp(help);
    const Vocabulary fromPage = FromManPage(page);
    EXPECT_EQ(fromPage.options, fromHelp.options);
    for (const std::string& name : fromHelp.functions) {
        EXPECT_TRUE(fromPage.functions.contains(name)) << name;
    }
    EXPECT_NE(page.find("32767"), std::string::npos);
    EXPECT_NE(help.find("32767"), std::string::npos);
}

TEST(ManPage, PassesMandocLint) {
    const std::string command = std::string("mandoc -T lint ") + TALLIX_MAN_PAGE + " 2>&1";
    FILE* lint = popen(command.c_str(), "r");
    ASSERT_NE(lint, nullptr);
    std::string messages;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, lint) != nullptr) {
        messages += buffer;
    }
    EXPECT_EQ(pclose(lint), 0) << messages;
}

} // namespace
