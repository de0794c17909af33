#include "ui/frmMain.h"

#include "controls/XPButton.h"
#include "platform/QtText.h"
#include "platform/Twips.h"
#include "ui/CalculateCommand.h"
#include "ui/CommandButtons.h"
#include "ui/EditingCommands.h"
#include "ui/FunctionList.h"
#include "ui/HelpCommand.h"
#include "ui/Keypad.h"
#include "ui/SpokenNames.h"
#include "ui/WidgetColors.h"

#include <QLabel>
#include <QShortcut>

#include <array>
#include <utility>

namespace tallix {

frmMain::frmMain(frmMainServices services, const QString& layoutPath)
    : frmMain(std::move(services), LoadFormLayout(layoutPath)) {}

frmMain::frmMain(frmMainServices services, const FormLayout& layout)
    : services_(std::move(services)), controls_(BuildForm(layout, *this, ScreenLogicalDpi())),
      Text1_(controls_.Get<EditBox>(QStringLiteral("Text1"))),
      Option1_(controls_.Get<QRadioButton>(QStringLiteral("Option1"))),
      Option2_(controls_.Get<QRadioButton>(QStringLiteral("Option2"))),
      List1_(controls_.Get<QListView>(QStringLiteral("List1"))) {
    LinkLabels();
    NameControls();
    ConnectKeypad();
    ConnectCommands();
    ConnectHelpKey();
    connect(&Text1_, &EditBox::KeyPress, this, &frmMain::Text1_KeyPress);
    Load();
}

// The caption beside a control names it to a screen reader. The buddy link
// is how the toolkit relates the two (and names an edit box), but a list
// takes its name only from its accessible name, so both get that too.
void frmMain::LinkLabels() {
    static constexpr std::array<std::pair<const char*, const char*>, 2> kLabelled = {{
        {"Label1", "Text1"},
        {"Label4", "List1"},
    }};
    for (const auto& [labelName, controlName] : kLabelled) {
        auto& label = controls_.Get<QLabel>(QLatin1String(labelName));
        auto& control = controls_.Get<QWidget>(QLatin1String(controlName));
        label.setBuddy(&control);
        control.setAccessibleName(label.text());
    }
}

// The captions stay on screen; a screen reader hears what the control does.
void frmMain::NameControls() {
    for (const SpokenName& spoken : kSpokenNames) {
        controls_.Get<QWidget>(ToQString(spoken.control)).setAccessibleName(ToQString(spoken.name));
    }
}

void frmMain::Load() {
    SetBackColor(Option1_, Qt::white);
    SetBackColor(Option2_, Qt::white);
    QStringList entries;
    for (std::string_view entry : kFunctionListEntries) {
        entries << ToQString(entry);
    }
    SetListEntries(List1_, entries);
}

// The one place where buttons meet what they do, by control name.
void frmMain::ConnectKeypad() {
    for (const KeypadKey& key : kKeypad) {
        auto& button = controls_.Get<XPButton>(ToQString(key.button));
        connect(&button, &XPButton::Click, this,
                [this, text = ToQString(key.inserts)] { InsertAtCaret(Text1_, text); });
    }
}

void frmMain::ConnectCommands() {
    struct CommandButton {
        std::string_view button;
        void (frmMain::*command)();
    };
    static constexpr std::array<CommandButton, 7> kCommands = {{
        {kDeleteButton, &frmMain::Delete},
        {kBackspaceButton, &frmMain::Backspace},
        {kInsertButton, &frmMain::InsertFunction},
        {kCalculateButton, &frmMain::Calculate},
        {kClearButton, &frmMain::Clear},
        {kHelpButton, &frmMain::Help},
        {kAboutButton, &frmMain::About},
    }};
    for (const CommandButton& command : kCommands) {
        auto& button = controls_.Get<XPButton>(ToQString(command.button));
        connect(&button, &XPButton::Click, this, command.command);
    }
}

// F1 is a click on Help wherever the focus is in the window, as on most
// desktops.
void frmMain::ConnectHelpKey() {
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey, &QShortcut::activated, &controls_.Get<XPButton>(ToQString(kHelpButton)),
            &XPButton::Click);
}

void frmMain::Text1_KeyPress(int& KeyAscii) {
    if (KeyAscii == EditBox::kEnterKeyAscii) {
        Calculate();
        KeyAscii = 0;
    }
}

void frmMain::Calculate() {
    RunCalculate(Text1_, Option2_, services_.messages, services_.decimalSeparator);
}

void frmMain::Backspace() {
    tallix::Backspace(Text1_);
}

void frmMain::Delete() {
    DeleteAfterCaret(Text1_);
}

void frmMain::InsertFunction() {
    tallix::InsertFunction(Text1_, List1_);
}

void frmMain::Clear() {
    tallix::Clear(Text1_);
}

void frmMain::Help() {
    ShowHelp(services_.desktop);
}

// The About box reads its layout each time it opens; a broken one is
// reported and the main window carries on.
void frmMain::About() {
    try {
        services_.showAbout(services_.desktop, this);
    } catch (const LayoutError& error) {
        ShowLayoutError(error, services_.messages);
    }
}

} // namespace tallix
