#pragma once

#include "platform/DesktopService.h"

#include <QList>
#include <QUrl>

namespace tallix::testing {

// Records every document handed to the desktop instead of opening it.
class RecordingDesktopService : public DesktopService {
public:
    void Open(const QUrl& document) override { opened.append(document); }

    QList<QUrl> opened;
};

} // namespace tallix::testing
