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
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tallix::testing {

// A shown and active main window whose message boxes and desktop are
// recorded. Its About command is counted and runs aboutBox, the real modal
// box by default. Results carry decimalSeparator when one is given, else the
// separator the window finds in the environment.
class MainWindowHarness {
public:
    explicit MainWindowHarness(std::function<void(DesktopService&, QWidget*)> aboutBox = &ShowAbout,
                               std::optional<std::string> decimalSeparator = std::nullopt)
        : window(std::make_unique<frmMain>(Services(std::move(aboutBox), decimalSeparator))) {
        window->show();
        window->activateWindow();
        // The tests that rely on the focus check it themselves.
        if (!QTest::qWaitForWindowActive(window.get())) {
            qWarning("the main window did not become active");
        }
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

    // Types into Text1 from the focus, then the enter key.
    void Type(const QString& keys, Qt::Key enter = Qt::Key_Return) const {
        Text1().setFocus();
        QTest::keyClicks(&Text1(), keys);
        QTest::keyClick(&Text1(), enter);
    }

    // Each recorded box as "title|icon|prompt", icon 0 stop, 1 warning.
    QStringList Boxes() const {
        QStringList boxes;
        for (const auto& [prompt, title, icon] : messages.messages) {
            boxes << QString::fromStdString(title + '|' + std::to_string(int(icon)) + '|' + prompt);
        }
        return boxes;
    }

private:
    frmMainServices Services(std::function<void(DesktopService&, QWidget*)> aboutBox,
                             const std::optional<std::string>& decimalSeparator) {
        frmMainServices services{.messages = messages,
                                 .desktop = desktop,
                                 .showAbout = [this, aboutBox = std::move(aboutBox)](
                                                  DesktopService& desktop, QWidget* owner) {
                                     ++aboutCount;
                                     aboutBox(desktop, owner);
                                 }};
        services.decimalSeparator = decimalSeparator.value_or(services.decimalSeparator);
        return services;
    }

public:
    RecordingMessageService messages;
    RecordingDesktopService desktop;
    int aboutCount = 0;
    std::unique_ptr<frmMain> window;
    std::unique_ptr<frmF2> about;
};

} // namespace tallix::testing
