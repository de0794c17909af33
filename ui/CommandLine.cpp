#include "ui/CommandLine.h"

#include <string_view>

namespace tallix {

CommandLineRequest ReadOwnOptions(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            return CommandLineRequest::ShowHelp;
        }
        if (argument == "--version") {
            return CommandLineRequest::ShowVersion;
        }
    }
    return CommandLineRequest::OpenWindow;
}

std::string_view UsageText() {
    return "Usage: tallix [OPTION]...\n"
           "Open the Tallix calculator window, on X11 or Wayland.\n"
           "\n"
           "  -h, --help               show this help and exit\n"
           "  --version                show the version and exit\n"
           "\n"
           "Options of the Qt toolkit:\n"
           "  -platform NAME           the window system: xcb (X11) or wayland\n"
           "  -display DISPLAY         the X display to open the window on\n"
           "  -style NAME              the widget style, such as Fusion\n"
           "  -platformtheme NAME      the desktop integration, such as gtk3\n"
           "\n"
           "Exit status: 0 when the window was closed, 1 when no window could be\n"
           "shown, 2 for an argument that the program does not take.\n";
}

std::string_view VersionText() {
    return "tallix " TALLIX_VERSION "\n";
}

} // namespace tallix
