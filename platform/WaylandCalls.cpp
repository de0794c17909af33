#include "platform/WaylandCalls.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibrary>

namespace tallix {

namespace {

// Beside the program in a build tree; where the installation puts it, seen
// from the installed program's folder, otherwise.
const WaylandCalls* LoadModule() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    QString reason;
    for (const QString& folder :
         {programFolder, programFolder + QStringLiteral("/" TALLIX_INSTALLED_MODULE_FOLDER)}) {
        QLibrary module(folder + QStringLiteral("/tallix-wayland"));
        using Entry = const WaylandCalls* (*)();
        if (const auto entry = reinterpret_cast<Entry>(module.resolve("tallix_wayland_calls"))) {
            return entry();
        }
        reason = module.errorString();
    }
    qWarning("tallix: %s; the hover look may lag and the window may not keep its size",
             qPrintable(reason));
    return nullptr;
}

} // namespace

const WaylandCalls* Wayland() {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return nullptr;
    }
    static const WaylandCalls* const calls = LoadModule();
    return calls;
}

} // namespace tallix
