#include "platform/CaretBlink.h"
#include "platform/DesktopService.h"
#include "platform/QtMessageService.h"
#include "ui/CommandLine.h"
#include "ui/LayoutError.h"
#include "ui/StartUp.h"
#include "ui/WindowIcon.h"
#include "ui/frmMain.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

// A layout that cannot be used is a broken installation: say which file
// and control, on standard error and in a box, and give up.
int ReportLayoutError(const tallix::LayoutError& error, tallix::MessageService& messages) {
    std::fprintf(stderr, "tallix: %s\n", error.what());
    tallix::ShowLayoutError(error, messages);
    return 1;
}

void Print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// Answers --help and --version without a display; a status to end with, or
// none when the window is to open.
std::optional<int> AnswerOwnOptions(int argc, const char* const* argv) {
    switch (tallix::ReadOwnOptions(argc, argv)) {
    case tallix::CommandLineRequest::ShowHelp:
        Print(tallix::UsageText());
        return 0;
    case tallix::CommandLineRequest::ShowVersion:
        Print(tallix::VersionText());
        return 0;
    case tallix::CommandLineRequest::OpenWindow:
        break;
    }
    return std::nullopt;
}

// What is left once the toolkit has taken its options is not for the program.
bool RefuseArguments(int argc, char** argv) {
    if (argc <= 1) {
        return false;
    }
    std::fprintf(stderr,
                 "tallix: unknown argument '%s'\nTry 'tallix --help' for more information.\n",
                 argv[1]);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = AnswerOwnOptions(argc, argv)) {
        return *status;
    }
    const std::unique_ptr<QApplication> app = tallix::StartApplication(argc, argv);
    if (RefuseArguments(argc, argv)) {
        return tallix::kUsageErrorStatus;
    }
    tallix::InstallFontSubstitutes();
    tallix::InstallCaretBlink(*app);
    QApplication::setWindowIcon(tallix::TallixIcon());

    tallix::QtMessageService messages;
    tallix::QtDesktopService desktop;
    try {
        tallix::frmMain window({.messages = messages, .desktop = desktop});
        window.show();
        return app->exec();
    } catch (const tallix::LayoutError& error) {
        return ReportLayoutError(error, messages);
    }
}
