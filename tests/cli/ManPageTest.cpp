// The manual page says what --help says: the same options, functions and
// line limit, and it is well-formed.
#include "tests/cli/CliProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadText(const char* path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

std::vector<std::string> Lines(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool IsOption(const std::string& word) {
    return word.starts_with('-') && std::any_of(word.begin(), word.end(), [](unsigned char c) {
               return std::isalpha(c) != 0;
           });
}

bool IsUpperName(const std::string& word) {
    return !word.empty() && std::all_of(word.begin(), word.end(),
                                        [](unsigned char c) { return std::isupper(c) != 0; });
}

// The option list of --help: lines such as "  -u, --line-buffered  text" or
// "  --decimal-separator C  text" begin with the options they explain.
std::set<std::string> HelpOptions(const std::string& help) {
    std::set<std::string> options;
    for (const std::string& line : Lines(help)) {
        if (!line.starts_with("  -")) {
            continue;
        }
        for (std::string word : Words(line)) {
            if (word.ends_with(',')) {
                word.pop_back();
            }
            if (!word.starts_with('-')) {
                break;
            }
            if (IsOption(word)) {
                options.insert(word);
            }
        }
    }
    return options;
}

// The function list of --help: indented lines of upper-case names only.
std::set<std::string> HelpFunctions(const std::string& help) {
    std::set<std::string> functions;
    for (const std::string& line : Lines(help)) {
        const std::vector<std::string> words = Words(line);
        if (line.starts_with("  ") && !words.empty() &&
            std::all_of(words.begin(), words.end(), IsUpperName)) {
            functions.insert(words.begin(), words.end());
        }
    }
    return functions;
}

// An mdoc page writes an option as the macro Fl and its name without the
// first dash: "Fl u", "Fl -line-buffered".
std::set<std::string> PageOptions(const std::string& page) {
    std::set<std::string> options;
    for (const std::string& line : Lines(page)) {
        const std::vector<std::string> words = Words(line);
        for (std::size_t i = 0; i + 1 < words.size(); ++i) {
            if ((words[i] == "Fl" || words[i] == ".Fl") && IsOption("-" + words[i + 1])) {
                options.insert("-" + words[i + 1]);
            }
        }
    }
    return options;
}

TEST(ManPage, NamesTheOptionsFunctionsAndLimitOfHelp) {
    const auto [status, help, unused] = tallix::testing::RunCliOutcome({"--help"});
    ASSERT_EQ(status, 0);
    const std::string page = ReadText(TALLIX_MAN_PAGE);
    EXPECT_EQ(PageOptions(page), HelpOptions(help));
    const std::set<std::string> functions = HelpFunctions(help);
    EXPECT_FALSE(functions.empty());
    std::set<std::string> pageWords;
    for (std::string word : Words(page)) {
        std::erase_if(word, [](unsigned char c) { return std::ispunct(c) != 0; });
        pageWords.insert(word);
    }
    for (const std::string& name : functions) {
        EXPECT_TRUE(pageWords.contains(name)) << name;
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
