#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>

class QCoreApplication;

namespace tallix {

// Stops the edit box's caret blinking once the user has left the keyboard and
// mouse alone for a while, and lets it blink again at the next input.
//
// A blinking caret repaints twice a second for as long as the program is open,
// which is most of an idle calculator's CPU time; nobody notices a steady
// caret after ten seconds without input. The switch is the application-wide
// cursor flash time (0 means a steady caret), which line edits follow at once.
class CaretBlink : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds DefaultIdleTime{10'000};

    // Watches every input event of the application; the idle time starts now.
    explicit CaretBlink(QCoreApplication& app,
                        std::chrono::milliseconds idleTime = DefaultIdleTime);
    // Leaves the caret blinking as it found it, unless the application is closing.
    ~CaretBlink() override;

    bool IsBlinking() const { return blinking_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NoteInput();
    void CheckIdle();
    void SetBlinking(bool blinking);

    const std::chrono::milliseconds idleTime_;
    const int flashTime_; // the desktop's flash time, restored on input
    bool blinking_ = true;
    QElapsedTimer sinceInput_;
    QTimer idleCheck_;
};

// Gives the application a caret that stops blinking after the default idle
// time; the watcher lives as long as the application object.
void InstallCaretBlink(QCoreApplication& app);

} // namespace tallix
