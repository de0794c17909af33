#include "platform/CaretBlink.h"
#include "platform/DesktopService.h"
#include "platform/QtMessageService.h"
#include "ui/LayoutError.h"
#include "ui/StartUp.h"
#include "ui/WindowIcon.h"
#include "ui/frmMain.h"

#include <cstdio>

namespace {

// A layout that cannot be used is a broken installation: say which file
// and control, on standard error and in a box, and give up.
int ReportLayoutError(const tallix::LayoutError& error, tallix::MessageService& messages) {
    std::fprintf(stderr, "tallix: %s\n", error.what());
    tallix::ShowLayoutError(error, messages);
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QApplication> app = tallix::StartApplication(argc, argv);
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
