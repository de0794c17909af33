#include "platform/DesktopService.h"

#include <QDesktopServices>

namespace tallix {

void QtDesktopService::Open(const QUrl& document) {
    // The result is deliberately ignored: failing to open is not reported.
    QDesktopServices::openUrl(document);
}

} // namespace tallix
