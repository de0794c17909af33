#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QCoreApplication;

namespace tallix {

// Says when the pointer may have come over one of the application's windows,
// so that hover polls can rest while it is elsewhere and wake as it returns.
//
// The toolkit withholds the enter events of a window that a modal box blocks,
// yet the pointer crossing into such a window must wake the polls too: so
// besides the toolkit's enter events this hears the X server's own crossing
// events, and the Wayland pointer watch tells it of its enters. A false
// alarm costs one round of polls; a missed arrival would leave the hot look
// dead, so anything that may be an arrival counts as one.
class PointerArrival final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    // Watches the events of `app` and those its window system sends it.
    explicit PointerArrival(QCoreApplication& app);
    ~PointerArrival() override;

    // For a watch that hears arrivals the toolkit does not pass on.
    void Notify() { emit Arrived(); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void Arrived();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The application's notifier; lives as long as the application object.
PointerArrival& ApplicationPointerArrival();

} // namespace tallix
