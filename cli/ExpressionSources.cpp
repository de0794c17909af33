#include "cli/ExpressionSources.h"

#include "cli/FileIo.h"
#include "cli/InteractiveReader.h"
#include "cli/LineReader.h"

#include <cstring>

namespace tallix::cli {

namespace {

ExitStatus StatusOf(bool allGaveResults) {
    return allGaveResults ? kAllGaveResults : kSomeGaveNoResult;
}

} // namespace

ExitStatus RunArguments(ExpressionRunner& runner, const std::vector<std::string>& expressions) {
    bool allGaveResults = true;
    for (std::size_t i = 0; i < expressions.size(); ++i) {
        allGaveResults = runner.Run(expressions[i], {"argument", i + 1}) && allGaveResults;
    }
    return StatusOf(allGaveResults);
}

ExitStatus RunLines(ExpressionRunner& runner, int fd) {
    LineReader reader([fd](char* buffer, std::size_t size) { return ReadSome(fd, buffer, size); },
                      kMaxExpressionLength);
    bool allGaveResults = true;
    for (std::size_t number = 1;; ++number) {
        switch (reader.Next()) {
        case LineReader::Status::Line:
            allGaveResults = runner.Run(reader.Line(), {"line", number}) && allGaveResults;
            break;
        case LineReader::Status::TooLong:
            runner.RefuseTooLong({"line", number});
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

ExitStatus RunInteractive(ExpressionRunner& runner, OutputBuffer& out) {
    InteractiveReader reader;
    bool allGaveResults = true;
    std::size_t number = 0;
    while (const std::optional<std::string_view> line = reader.Next()) {
        allGaveResults = runner.Run(*line, {"line", ++number}) && allGaveResults;
    }
    out.WriteLine({}); // leave the shell's prompt on a line of its own
    return StatusOf(allGaveResults);
}

} // namespace tallix::cli
