#pragma once

#include "platform/MessageService.h"

#include <string>
#include <vector>

namespace tallix::testing {

// Records every message box instead of showing it, so no test ever waits
// on a modal dialog: each as "title|icon|prompt", icon 0 stop, 1 warning, 2 none.
class RecordingMessageService : public MessageService {
public:
    void ShowMessage(std::string_view prompt, std::string_view title, MessageIcon icon) override {
        boxes.push_back(std::string(title) + '|' + std::to_string(int(icon)) + '|' +
                        std::string(prompt));
    }

    std::vector<std::string> boxes;
};

} // namespace tallix::testing
