#pragma once

#include "platform/DesktopService.h"

#include <QDir>

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

} // namespace tallix
