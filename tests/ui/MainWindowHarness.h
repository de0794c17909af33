#pragma once

#include "controls/XPButton.h"
#include "tests/support/RecordingDesktopService.h"
#include "tests/support/RecordingMessageService.h"
#include "tests/support/TableRows.h"
#include "ui/CommandButtons.h"
#include "ui/frmF2.h"
#include "ui/frmMain.h"

#include <QStringList>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace tallix::testing {

// A shown main window, active where the window system allows (the tests
// that rely on the focus check it), whose message boxes and desktop are
// recorded. Its About command runs aboutBox, the real modal box by default.
class MainWindowHarness {
public:
    explicit MainWindowHarness(std::function<void(DesktopService&, QWidget*)> aboutBox = &ShowAbout)
        : window(
              std::make_unique<frmMain>(frmMainServices{messages, desktop, std::move(aboutBox)})) {
        window->show();
        window->activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(window.get()));
    }

    EditBox& Text1() const { return window->Text1(); }

    // A button of the window by its stored name.
    XPButton& Button(std::string_view name) const {
        return *window->findChild<XPButton*>(QString::fromLatin1(name));
    }

    // An About box of this window, built on first use.
    frmF2& About() {
        if (!about) {
            about = std::make_unique<frmF2>(desktop, window.get());
        }
        return *about;
    }

    // A control by its layout name in the main window or, inAbout, in the
    // About box; a window by its own name.
    QWidget* Find(std::string_view name, bool inAbout = false) {
        QWidget& form = inAbout ? static_cast<QWidget&>(About()) : *window;
        const QString objectName = QString::fromLatin1(name);
        return form.objectName() == objectName ? &form : form.findChild<QWidget*>(objectName);
    }

    // A left click in the middle of the button, as the user gives it.
    void Click(std::string_view name) const {
        QTest::mouseClick(&Button(name), Qt::LeftButton, {}, Button(name).rect().center());
    }

    // Types into Text1 from the focus, then Return.
    void Type(const QString& keys) const {
        Text1().setFocus();
        QTest::keyClicks(&Text1(), keys);
        QTest::keyClick(&Text1(), Qt::Key_Return);
    }

    QStringList Boxes() const {
        QStringList boxes;
        for (const std::string& box : messages.boxes) {
            boxes << QString::fromStdString(box);
        }
        return boxes;
    }

    RecordingMessageService messages;
    RecordingDesktopService desktop;
    std::unique_ptr<frmMain> window;
    std::unique_ptr<frmF2> about;
};

} // namespace tallix::testing
