// tallix-cli: the Tallix calculator on the command line.

#include "cli/ExpressionSources.h"
#include "cli/FileIo.h"
#include "cli/HelpText.h"
#include "cli/Options.h"
#include "cli/OutputBuffer.h"
#include "engine/DecimalSeparator.h"

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace {

using namespace tallix::cli;

ExitStatus RunExpressions(const Options& options, OutputBuffer& out) {
    if (options.help) {
        out.Write(HelpText());
        return kAllGaveResults;
    }
    if (options.version) {
        out.WriteLine(kVersionText);
        return kAllGaveResults;
    }
    RunSettings settings;
    settings.degrees = options.degrees;
    settings.postfix = options.postfix;
    // Without the option, the separator is decided as the window decides it.
    settings.decimalSeparator = options.decimalSeparator
                                    ? *options.decimalSeparator
                                    : std::string(tallix::DecimalSeparatorFromEnvironment());
    ExpressionRunner runner(settings, out);
    return RunOperands(runner, options.operands, out);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedOptions parsed = ParseOptions(arguments);
    if (!parsed.usageError.empty()) {
        WriteErrorLine(parsed.usageError + "\nTry 'tallix-cli --help'.");
        return kUsageOrInputOutputError;
    }
    // A person at a terminal sees each answer at once; a program reading a
    // pipe or a file gets whole buffers unless it asks for lines.
    OutputBuffer out(STDOUT_FILENO, parsed.options.lineBuffered || isatty(STDOUT_FILENO) == 1);
    try {
        const ExitStatus status = RunExpressions(parsed.options, out);
        out.Flush();
        return status;
    } catch (const std::system_error& failure) {
        WriteErrorLine("standard output: " + failure.code().message());
        return kUsageOrInputOutputError;
    }
}
