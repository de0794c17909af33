#include "platform/QtMessageService.h"

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

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void QtMessageService::ShowMessage(std::string_view prompt, std::string_view title,
                                   MessageIcon icon) {
    QMessageBox box(ToQtIcon(icon), FromView(title), FromView(prompt), QMessageBox::Ok, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace tallix
