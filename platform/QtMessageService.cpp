#include "platform/QtMessageService.h"

#include "platform/QtText.h"

#include <QMessageBox>
#include <QString>

namespace tallix {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtMessageService::ShowMessage(std::string_view prompt, std::string_view title,
                                   MessageIcon icon) {
    QMessageBox box(ToQtIcon(icon), ToQString(title), ToQString(prompt), QMessageBox::Ok, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace tallix
