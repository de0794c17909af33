#pragma once

#include <QObject>
#include <QSize>
#include <QWidget>
#include <QWindow>

namespace tallix {

// Keeps a top-level window of fixed size alive, and at its size, under a
// Wayland compositor.
//
// A compositor that maximizes a window requires it to take exactly the size
// it was given, and ends the program of a window that keeps its own. The
// toolkit's title bar offers maximise whatever the window's flags say, and
// the toolkit would hold a fixed-size window at its size against any size
// it is configured to. So on Wayland:
// - the size limits go to the compositor alone, as the protocol's hints;
// - a maximize or fullscreen the window asks for itself (the title bar's
//   button) is withdrawn before the compositor answers, so the window stays
//   as it is;
// - one the compositor imposes on its own (a key binding, a window menu) is
//   obeyed: the window takes the size it is given, its contents keep their
//   size and place, and it returns to its size when the compositor restores
//   it;
// - in any other state the window keeps its size, whatever size it is
//   configured to.
//
// Elsewhere (X11, offscreen) the window manager refuses such requests for a
// window of fixed size, and the guard does nothing.
class FixedSizeGuard final : public QObject {
public:
    // Guards `window`, a top-level widget whose minimum and maximum sizes
    // are equal, for as long as it lives.
    static void Install(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FixedSizeGuard(QWidget& window);
    void Watch(QWindow& window);
    void HandLimitsToCompositor(QWindow& window) const;
    void SendSizeLimits(QWindow& window) const;
    void KeepSizeWhileNormal(QWindow& window) const;
    void StateChanged(QWindow& window);

    QSize size_;
    QWindow* watched_ = nullptr;
};

} // namespace tallix
