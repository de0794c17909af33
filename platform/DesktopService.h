#pragma once

#include <QUrl>

namespace tallix {

// Hands a document to the desktop, which opens it with the user's default
// program for it and returns at once. Local files are passed as file URLs.
// The outcome is not examined: a missing file or browser leaves the program
// as it was, with no message of its own.
class DesktopService {
public:
    virtual ~DesktopService() = default;
    virtual void Open(const QUrl& document) = 0;
};

// Asks the desktop through QDesktopServices.
class QtDesktopService : public DesktopService {
public:
    void Open(const QUrl& document) override;
};

} // namespace tallix
