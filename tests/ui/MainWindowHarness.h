#pragma once

#include "RecordingDesktopService.h"
#include "RecordingMessageService.h"
#include "XPButton.h"
#include "frmMain.h"

#include <QStringList>
#include <QtTest>

#include <functional>
#include <memory>
#include <utility>

namespace tallix::testing {

// A shown main window whose message boxes and desktop are recorded and whose
// About command counts and runs aboutBox, if any, in place of the modal box,
// so that nothing ever waits on a modal window.
class MainWindowHarness {
public:
    using AboutBox = std::function<void(DesktopService&, QWidget* owner)>;

    explicit MainWindowHarness(const QLocale& locale = QLocale(), AboutBox aboutBox = {})
        : aboutBox_(std::move(aboutBox)),
          window(std::make_unique<frmMain>(frmMainServices{
              messages, desktop,
              [this](DesktopService& desktop, QWidget* owner) { About(desktop, owner); },
              locale})) {
        window->show();
        window->activateWindow();
    }

    bool WaitUntilActive() { return QTest::qWaitForWindowActive(window.get()); }

    XPButton& Button(const char* name) const {
        auto* button = window->findChild<XPButton*>(QLatin1String(name));
        Q_ASSERT(button != nullptr);
        return *button;
    }

    // A left click in the middle of the button, as the user gives it.
    void Click(const char* name) const {
        XPButton& button = Button(name);
        QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
    }

    // Types into Text1 from the focus, as the user does.
    void Type(const QString& keys, Qt::Key enter = Qt::Key_Return) const {
        window->Text1().setFocus();
        QTest::keyClicks(&window->Text1(), keys);
        QTest::keyClick(&window->Text1(), enter);
    }

    // Each recorded box as "title|icon|prompt", icon 0 stop, 1 warning.
    QStringList Boxes() const {
        QStringList boxes;
        for (const auto& box : messages.messages) {
            boxes << QStringLiteral("%1|%2|%3")
                         .arg(QString::fromStdString(box.title))
                         .arg(int(box.icon))
                         .arg(QString::fromStdString(box.prompt));
        }
        return boxes;
    }

private:
    void About(DesktopService& desktop, QWidget* owner) {
        ++aboutCount;
        if (aboutBox_) {
            aboutBox_(desktop, owner);
        }
    }

    AboutBox aboutBox_;

public:
    RecordingMessageService messages;
    RecordingDesktopService desktop;
    int aboutCount = 0;
    std::unique_ptr<frmMain> window;
};

} // namespace tallix::testing
