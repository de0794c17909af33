// tallix-cli: the Tallix calculator on the command line.

#include "DecimalSeparator.h"
#include "ExpressionRunner.h"
#include "HelpText.h"
#include "Options.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

using tallix::cli::ExpressionRunner;

constexpr int kAllGaveResults = 0;
constexpr int kSomeGaveNoResult = 1;
constexpr int kUsageError = 2;

// The decimal separator of the user's locale, decided as the window decides
// it: from the environment, whether or not that locale is installed.
std::string LocaleDecimalSeparator() {
    return std::string(tallix::DecimalSeparatorFromEnvironment());
}

bool RunArguments(ExpressionRunner& runner, const std::vector<std::string>& expressions) {
    bool allGaveResults = true;
    for (const std::string& expression : expressions) {
        allGaveResults = runner.Run(expression) && allGaveResults;
    }
    return allGaveResults;
}

// Reads the next line, after a prompt when a person is typing; a trailing
// carriage return (a line from a text file written elsewhere) is dropped.
bool ReadExpression(bool interactive, std::string& line) {
    if (interactive) {
        std::cout << "> " << std::flush;
    }
    if (!std::getline(std::cin, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

bool RunStandardInput(ExpressionRunner& runner) {
    const bool interactive = isatty(STDIN_FILENO) == 1;
    bool allGaveResults = true;
    std::string line;
    while (ReadExpression(interactive, line)) {
        allGaveResults = runner.Run(line) && allGaveResults;
    }
    if (interactive) {
        std::cout << '\n'; // leave the shell's prompt on a line of its own
    }
    return allGaveResults;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const tallix::cli::ParsedOptions parsed = tallix::cli::ParseOptions(arguments);
    if (!parsed.usageError.empty()) {
        std::cerr << "tallix-cli: " << parsed.usageError << "\nTry 'tallix-cli --help'.\n";
        return kUsageError;
    }
    const tallix::cli::Options& options = parsed.options;
    if (options.help) {
        std::cout << tallix::cli::HelpText();
        return kAllGaveResults;
    }
    if (options.version) {
        std::cout << tallix::cli::kVersionText << '\n';
        return kAllGaveResults;
    }

    tallix::cli::RunSettings settings;
    settings.bolDegree = options.bolDegree;
    settings.postfix = options.postfix;
    settings.decimalSeparator =
        options.decimalSeparator ? *options.decimalSeparator : LocaleDecimalSeparator();
    ExpressionRunner runner(settings, std::cout, std::cerr);

    const bool allGaveResults = options.expressions.empty()
                                    ? RunStandardInput(runner)
                                    : RunArguments(runner, options.expressions);
    return allGaveResults ? kAllGaveResults : kSomeGaveNoResult;
}
