#pragma once

#include <QApplication>
#include <QString>

#include <memory>

namespace tallix {

// Why no window can be shown, or an empty text when the toolkit may try:
// without QT_QPA_PLATFORM, a window needs DISPLAY or WAYLAND_DISPLAY.
QString MissingDisplayReason();

// Creates the application object. When the window system cannot be reached
// it prints one line on standard error, saying so and how to run the
// program under a virtual X server, and ends the process with status 1
// instead of the toolkit's abort. The toolkit's own start-up messages are
// held back until it is known whether it started. The application's id
// becomes its windows' class on X11 and their application id on Wayland,
// the names under which the menu entry finds them. The toolkit takes its own
// options out of argc and argv.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

// Where the layouts' Windows fonts are missing, uses the free fonts of the
// same widths: Tahoma and Arial become Liberation Sans (DejaVu Sans, the
// usual fallback, is far wider and crowds the captions), Verdana DejaVu Sans.
void InstallFontSubstitutes();

} // namespace tallix
