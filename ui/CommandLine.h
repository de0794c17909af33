#pragma once

#include <string_view>

namespace tallix {

// What the program's own options ask for. They are read before the toolkit
// starts, so that they need no display; the toolkit takes its options
// (-platform, -display, -style, ...) out of the command line as it starts.
enum class CommandLineRequest { OpenWindow, ShowHelp, ShowVersion };

// -h or --help anywhere asks for the usage, --version for the version; the
// first of them decides.
CommandLineRequest ReadOwnOptions(int argc, const char* const* argv);

// The text of --help: the program's options and the toolkit's.
std::string_view UsageText();

// The text of --version.
std::string_view VersionText();

// The status for an argument that neither the program nor the toolkit takes.
inline constexpr int kUsageErrorStatus = 2;

} // namespace tallix
