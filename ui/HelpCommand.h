#pragma once

#include "DesktopService.h"

#include <QUrl>

class QWidget;

namespace tallix {

// The help page "help.htm" in the folder of the program's executable, as a
// file URL.
QUrl HelpPageUrl();

// Help: asks the desktop to open the help page. A missing page or browser is
// not reported: the program says nothing and nothing changes.
void ShowHelp(DesktopService& desktop);

// About: shows a fresh About box modally for owner and returns when it has
// been closed; meanwhile the program's other windows take no input.
void ShowAbout(DesktopService& desktop, QWidget* owner);

} // namespace tallix
