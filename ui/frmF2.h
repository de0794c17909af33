#pragma once

#include "platform/DesktopService.h"
#include "ui/FormBuilder.h"

#include <QDialog>

namespace tallix {

class LinkLabel;
class XPButton;

// frmF2: the About box, with the product name, version and the maker's web
// address as a link (Label1); cmdOK closes it, and so does Escape. Built from
// its stored layout on construction, so a box made for each About command
// always opens in its initial layout; it keeps no state.
class frmF2 : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kLayoutResource = ":/layouts/frmF2.json";
    // The maker's page; Label1 shows its host name.
    static constexpr const char* kLinkUrl = "http://tallix.example.org/ourfiles";

    // owner: the window the box belongs to, which keeps it out of the task
    // bar and centres it; none for a box on its own. Throws LayoutError when
    // the layout cannot be used.
    explicit frmF2(DesktopService& desktop, QWidget* owner = nullptr,
                   const QString& layoutPath = kLayoutResource);

    LinkLabel& Label1() const { return Label1_; }
    XPButton& cmdOK() const { return cmdOK_; }

private:
    void Label1_Click();

    DesktopService& desktop_;
    FormControls controls_;
    LinkLabel& Label1_;
    XPButton& cmdOK_;
};

// About: shows a fresh About box modally for owner and returns when it has
// been closed; meanwhile the program's other windows take no input.
void ShowAbout(DesktopService& desktop, QWidget* owner);

} // namespace tallix
