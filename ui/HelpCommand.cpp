#include "HelpCommand.h"

#include "frmF2.h"

#include <QCoreApplication>
#include <QDir>

namespace tallix {

QUrl HelpPageUrl() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return QUrl::fromLocalFile(programFolder.filePath(QStringLiteral("help.htm")));
}

void ShowHelp(DesktopService& desktop) {
    desktop.Open(HelpPageUrl());
}

void ShowAbout(DesktopService& desktop, QWidget* owner) {
    frmF2 box(desktop, owner);
    box.exec();
}

} // namespace tallix
