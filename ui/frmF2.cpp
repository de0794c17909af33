#include "ui/frmF2.h"

#include "controls/LinkLabel.h"
#include "controls/XPButton.h"
#include "platform/Twips.h"
#include "ui/CommandButtons.h"

#include <QShortcut>

namespace tallix {

frmF2::frmF2(DesktopService& desktop, QWidget* owner, const QString& layoutPath)
    : QDialog(owner), desktop_(desktop),
      controls_(BuildForm(LoadFormLayout(layoutPath), *this, ScreenLogicalDpi())),
      Label1_(controls_.Get<LinkLabel>(QStringLiteral("Label1"))),
      cmdOK_(controls_.Get<XPButton>(QLatin1String(kAboutOkButton))) {
    // The link comes first in the tab order, but the box opens with OK in
    // the focus, so that Enter closes it at once; Tab reaches the link.
    cmdOK_.setFocus();
    // OK closes the box; closing it through the frame or with Escape ends
    // exec() the same way. The button takes every key it is given, so Escape
    // is a shortcut of the box rather than a key left to the dialog.
    connect(&cmdOK_, &XPButton::Click, this, &QDialog::accept);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QDialog::reject);
    connect(&Label1_, &LinkLabel::Activated, this, &frmF2::Label1_Click);
}

// The box stays open: the user may still read it or press OK.
void frmF2::Label1_Click() {
    desktop_.Open(QUrl(QString::fromLatin1(kLinkUrl)));
}

void ShowAbout(DesktopService& desktop, QWidget* owner) {
    frmF2 box(desktop, owner);
    box.exec();
}

} // namespace tallix
