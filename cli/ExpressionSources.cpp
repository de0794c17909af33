#include "cli/ExpressionSources.h"

#include "cli/FileIo.h"
#include "cli/InteractiveReader.h"
#include "cli/LineReader.h"
#include "cli/Options.h"

#include <cstring>

#include <unistd.h>

namespace tallix::cli {

namespace {

ExitStatus StatusOf(bool allGaveResults) {
    return allGaveResults ? kAllGaveResults : kSomeGaveNoResult;
}

ExitStatus RunLines(ExpressionRunner& runner, int fd, std::size_t& number) {
    LineReader reader([fd](char* buffer, std::size_t size) { return ReadSome(fd, buffer, size); },
                      kMaxExpressionLength);
    bool allGaveResults = true;
    for (;;) {
        switch (reader.Next()) {
        case LineReader::Status::Line:
            allGaveResults = runner.Run(reader.Line(), {"line", ++number}) && allGaveResults;
            break;
        case LineReader::Status::TooLong:
            runner.RefuseTooLong({"line", ++number});
            allGaveResults = false;
            break;
        case LineReader::Status::End:
            return StatusOf(allGaveResults);
        case LineReader::Status::ReadError:
            WriteErrorLine(std::string("standard input: ") + std::strerror(reader.Error()));
            return kUsageOrInputOutputError;
        }
    }
}

ExitStatus RunInteractive(ExpressionRunner& runner, OutputBuffer& out, std::size_t& number) {
    InteractiveReader reader;
    bool allGaveResults = true;
    while (const std::optional<std::string_view> line = reader.Next()) {
        allGaveResults = runner.Run(*line, {"line", ++number}) && allGaveResults;
    }
    out.WriteLine({}); // leave the shell's prompt on a line of its own
    return StatusOf(allGaveResults);
}

ExitStatus RunStandardInput(ExpressionRunner& runner, OutputBuffer& out, std::size_t& number) {
    if (isatty(STDIN_FILENO) == 1 && isatty(STDOUT_FILENO) == 1) {
        return RunInteractive(runner, out, number);
    }
    return RunLines(runner, STDIN_FILENO, number);
}

} // namespace

ExitStatus RunOperands(ExpressionRunner& runner, const std::vector<std::string>& operands,
                       OutputBuffer& out) {
    std::size_t linesRead = 0;
    if (operands.empty()) {
        return RunStandardInput(runner, out, linesRead);
    }
    bool allGaveResults = true;
    for (std::size_t i = 0; i < operands.size(); ++i) {
        if (operands[i] != kStandardInputOperand) {
            allGaveResults = runner.Run(operands[i], {"argument", i + 1}) && allGaveResults;
            continue;
        }
        const ExitStatus status = RunStandardInput(runner, out, linesRead);
        if (status == kUsageOrInputOutputError) {
            return status;
        }
        allGaveResults = status == kAllGaveResults && allGaveResults;
    }
    return StatusOf(allGaveResults);
}

} // namespace tallix::cli
