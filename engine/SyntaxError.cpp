#include "engine/SyntaxError.h"

namespace tallix {

SyntaxError MakeSyntaxError(SyntaxErrorKind kind, std::int32_t position, std::string_view name) {
    std::string message(kSyntaxErrors[static_cast<std::size_t>(kind)].message);
    if (const std::size_t at = message.find(kSyntaxErrorName); at != std::string::npos) {
        message.replace(at, kSyntaxErrorName.size(), name);
    }
    return {kind, std::move(message), position};
}

std::string SyntaxErrorPrompt(const SyntaxError& error) {
    return "Character " + std::to_string(error.position) + ":  " + error.message;
}

} // namespace tallix
