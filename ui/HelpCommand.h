#pragma once

#include "platform/DesktopService.h"

#include <QDir>

class QWidget;

namespace tallix {

// Help: asks the desktop to open the help page of the program in
// programFolder, by default the folder of the running executable: "help.htm"
// beside the program when one lies there (the build tree), otherwise the
// installed page, found relative to programFolder so that a relocated
// installation still finds its own. With neither nothing is asked, and a
// missing browser is not reported: the program says nothing and nothing
// changes.
void ShowHelp(DesktopService& desktop);
void ShowHelp(DesktopService& desktop, const QDir& programFolder);

// About: shows a fresh About box modally for owner and returns when it has
// been closed; meanwhile the program's other windows take no input.
void ShowAbout(DesktopService& desktop, QWidget* owner);

} // namespace tallix
