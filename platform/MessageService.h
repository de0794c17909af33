#pragma once

#include <string_view>

namespace tallix {

enum class MessageIcon { Stop, Warning, None };

// Shows a modal message box with one OK button and returns when it is closed.
// The windows plug in a real box, tests a recorder.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void ShowMessage(std::string_view prompt, std::string_view title, MessageIcon icon) = 0;
};

} // namespace tallix
