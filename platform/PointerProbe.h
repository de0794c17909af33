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
    // Whether the pointer is over one of the application's windows at all, on
    // a widget or not (a title bar the window draws itself holds none).
    bool overApplication = false;
};

// The two window-system queries of a hover poll.
class PointerProbe {
public:
    virtual ~PointerProbe() = default;
    virtual PointerSample Sample() = 0;
};

// Asks the window system on every call: two round trips to an X server.
// Right wherever the system tells a client where the pointer is when it is
// asked; see SurfacePointerProbe for one that does not.
class DirectPointerProbe final : public PointerProbe {
public:
    PointerSample Sample() override;
};

// Every button polls the pointer every 50 ms, mostly while it rests. This
// probe keeps the last real answer and serves it to every poll until
// something could have changed it: a resting pointer is asked about once
// per maxAgeMs instead of twenty times a second.
//
// Invariant: the answer is forgotten as soon as the application is told of
// anything that could move the pointer against our windows or change what
// lies under it: a mouse, wheel, drag, enter or leave event reaching any
// window or widget (the window system reports a window of another program
// coming over ours, or going, as a leave or an enter); a window or widget
// shown, hidden, moved, resized, restacked, reparented or exposed; a paint
// (a widget's shape only changes with a repaint); activation and window
// state changes. What the application is never told, such as a leave the
// toolkit discards, or the position while the pointer roams outside our
// windows, can be wrong for at most maxAgeMs: no older answer is served.
//
// While a modal box is open the windows it blocks are told of nothing, not
// even the pointer crossing their keys, yet their polls go on: then no answer
// older than ModalMaxAgeMs is served, so a poll that reads a stale answer is
// followed by one that reads a fresh one a poll period later.
class SharedPointerProbe final : public QObject, public PointerProbe {
public:
    // A resting pointer costs one real query per period; a change the events
    // missed shows within it.
    static constexpr int DefaultMaxAgeMs = 2000;
    // Well under the 50 ms poll period: the hot look follows the pointer over
    // a blocked window within about 70 ms, at one real query per 20 ms.
    static constexpr int ModalMaxAgeMs = 20;

    // Watches the events of the application object that exists at construction.
    explicit SharedPointerProbe(PointerProbe& source, int maxAgeMs = DefaultMaxAgeMs,
                                QObject* parent = nullptr);

    PointerSample Sample() override;

    // Forgets the cached answer; the next Sample() asks the source again.
    void Invalidate() { valid_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PointerProbe& source_;
    const int maxAgeMs_;
    PointerSample cached_;
    QElapsedTimer age_;
    bool valid_ = false;
};

} // namespace tallix
