#include "ui/HelpCommand.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tallix {

namespace {

// The page as a file URL, or an empty URL when there is none.
QUrl HelpPageUrl(const QDir& programFolder) {
    // TALLIX_INSTALLED_HELP_FOLDER is the installed page's folder relative to
    // the installed program's, e.g. "../share/tallix".
    const QString candidates[] = {
        programFolder.filePath(QStringLiteral("help.htm")),
        programFolder.filePath(QStringLiteral(TALLIX_INSTALLED_HELP_FOLDER "/help.htm")),
    };
    for (const QString& page : candidates) {
        if (QFileInfo(page).isFile()) {
            return QUrl::fromLocalFile(QDir::cleanPath(page));
        }
    }
    return {};
}

} // namespace

void ShowHelp(DesktopService& desktop) {
    ShowHelp(desktop, QDir(QCoreApplication::applicationDirPath()));
}

void ShowHelp(DesktopService& desktop, const QDir& programFolder) {
    const QUrl page = HelpPageUrl(programFolder);
    if (!page.isEmpty()) {
        desktop.Open(page);
    }
}

} // namespace tallix
