#pragma once

#include "controls/EditBox.h"
#include "engine/DecimalSeparator.h"
#include "platform/MessageService.h"
#include "ui/FormBuilder.h"
#include "ui/frmF2.h"

#include <QListView>
#include <QRadioButton>
#include <QWidget>

#include <functional>
#include <string>

namespace tallix {

// What the main window asks of the rest of the program: message boxes, the
// desktop for Help and the About box's link, and the About box itself,
// shown modally unless a test replaces it so that nothing waits on it.
struct frmMainServices {
    MessageService& messages;
    DesktopService& desktop;
    std::function<void(DesktopService& desktop, QWidget* owner)> showAbout = &ShowAbout;
    // Decimal separator of results; the user's locale by default.
    std::string decimalSeparator = std::string(DecimalSeparatorFromEnvironment());
};

// frmMain: the main window, built from its stored layout, then the load step.
// Its controls keep their stored names: Text1 the expression box, List1 the
// function list, Label1 and Label4 their captions, Option1 "Arc" (radians)
// and Option2 "Angle" (degrees), XPButton7 to XPButton31 the keypad
// (ui/Keypad.h) and the commands (ui/CommandButtons.h). The keypad and
// commands act on the Click of their buttons; Enter in Text1 runs the
// Calculate command and is discarded.
class frmMain : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kLayoutResource = ":/layouts/frmMain.json";

    // Throws LayoutError when the layout cannot be used.
    explicit frmMain(frmMainServices services, const QString& layoutPath = kLayoutResource);

    EditBox& Text1() const { return Text1_; }
    QRadioButton& Option1() const { return Option1_; }
    QRadioButton& Option2() const { return Option2_; }
    QListView& List1() const { return List1_; }

private:
    frmMain(frmMainServices services, const FormLayout& layout);

    void LinkLabels();
    void NameControls();
    void ConnectHelpKey();
    void Load();
    void ConnectKeypad();
    void ConnectCommands();

    void Text1_KeyPress(int& KeyAscii);
    void Calculate();
    void Backspace();
    void Delete();
    void InsertFunction();
    void Clear();
    void Help();
    void About();

    frmMainServices services_;
    FormControls controls_;
    EditBox& Text1_;
    QRadioButton& Option1_;
    QRadioButton& Option2_;
    QListView& List1_;
};

} // namespace tallix
