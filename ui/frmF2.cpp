#include "ui/frmF2.h"

#include "controls/XPButton.h"
#include "platform/Twips.h"
#include "ui/CommandButtons.h"

#include <QMouseEvent>

namespace tallix {

frmF2::frmF2(DesktopService& desktop, QWidget* owner, const QString& layoutPath)
    : QDialog(owner), desktop_(desktop),
      controls_(BuildForm(LoadFormLayout(layoutPath), *this, ScreenLogicalDpi())),
      Label1_(controls_.Get<QLabel>(QStringLiteral("Label1"))),
      cmdOK_(controls_.Get<XPButton>(QLatin1String(kAboutOkButton))) {
    Label1_.setCursor(Qt::PointingHandCursor);
    Label1_.installEventFilter(this);
    // OK closes the box; closing it through the frame ends exec() the same way.
    connect(&cmdOK_, &XPButton::Click, this, &QDialog::accept);
}

// A label has no Click of its own: a left button released over it is one.
bool frmF2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &Label1_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Label1_.rect().contains(mouse->position().toPoint())) {
            Label1_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The box stays open: the user may still read it or press OK.
void frmF2::Label1_Click() {
    desktop_.Open(QUrl(QString::fromLatin1(kLinkUrl)));
}

} // namespace tallix
