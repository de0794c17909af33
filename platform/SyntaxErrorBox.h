#pragma once

#include "engine/SyntaxError.h"
#include "platform/MessageService.h"

namespace tallix {

// Shows the translator's error as a box titled "Syntax Error" with a stop
// icon and the prompt "Character N:  message".
inline void ShowSyntaxError(const SyntaxError& error, MessageService& messages) {
    messages.ShowMessage(SyntaxErrorPrompt(error), kSyntaxErrorTitle, MessageIcon::Stop);
}

} // namespace tallix
