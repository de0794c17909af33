#pragma once

#include "platform/MessageService.h"

#include <string>
#include <vector>

namespace tallix::testing {

// Records every message box instead of showing it, so no test ever waits
// on a modal dialog.
class RecordingMessageService : public MessageService {
public:
    struct Message {
        std::string prompt;
        std::string title;
        MessageIcon icon;
    };

    void ShowMessage(std::string_view prompt, std::string_view title, MessageIcon icon) override {
        messages.push_back({std::string(prompt), std::string(title), icon});
    }

    std::vector<Message> messages;
};

} // namespace tallix::testing
