#pragma once

#include "platform/MessageService.h"

class QWidget;

namespace tallix {

// Shows each message as an application-modal box with one OK button: the
// caller waits until it is closed, and no window of the program takes input
// meanwhile. Stop and warning choose the critical and warning icons.
class QtMessageService : public MessageService {
public:
    // parent: the window the box is centred on, or none.
    explicit QtMessageService(QWidget* parent = nullptr) : parent_(parent) {}

    void ShowMessage(std::string_view prompt, std::string_view title, MessageIcon icon) override;

private:
    QWidget* parent_;
};

} // namespace tallix
