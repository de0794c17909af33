#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace tallix {

// Where the pointer is, in screen pixels, and the widget that is topmost at
// that point (widget masks honoured, so a cut-off corner belongs to whatever
// lies beneath it); no widget when the point is outside the application.
struct PointerSample {
    QPoint screenPos;
    QPointer<QWidget> widget;
};

// The two window-system queries of a hover poll.
class PointerProbe {
public:
    virtual ~PointerProbe() = default;
    virtual PointerSample Sample() = 0;
};

// Asks the window system on every call.
class DirectPointerProbe final : public PointerProbe {
public:
    PointerSample Sample() override;
};

// Every button polls the pointer every 50 ms, and their timers expire
// together, so one real query serves all polls of one event-loop moment:
// the first Sample() of a moment asks the source and posts a zero-timer
// that forgets the answer when the event loop next runs. An answer older
// than maxAgeMs is never used, so a long handler does not see a stale one.
class SharedPointerProbe final : public QObject, public PointerProbe {
public:
    static constexpr int DefaultMaxAgeMs = 5;

    explicit SharedPointerProbe(PointerProbe& source, int maxAgeMs = DefaultMaxAgeMs,
                                QObject* parent = nullptr);

    PointerSample Sample() override;

    // Forgets the cached answer; the next Sample() asks the source again.
    void Invalidate() { valid_ = false; }

private:
    PointerProbe& source_;
    const int maxAgeMs_;
    PointerSample cached_;
    QElapsedTimer age_;
    bool valid_ = false;
};

// The probe the buttons of this application share; lives as long as the
// application object.
PointerProbe& ApplicationPointerProbe();

} // namespace tallix
