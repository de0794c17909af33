#pragma once

#include "cli/TypedCharacters.h"

#include <optional>
#include <string>
#include <string_view>

struct editline;
struct historyW;

namespace tallix::cli {

// Lines typed at a terminal with editing and recall of this session's
// earlier lines (kept in memory only): arrows, Home and End move, Up and
// Down recall, Ctrl+C abandons the line, Ctrl+D on an empty line ends. Every
// byte typed that is not an editing key reaches the line as it was typed,
// in any locale, as if it had come through a pipe.
class InteractiveReader {
public:
    InteractiveReader();
    ~InteractiveReader();
    InteractiveReader(const InteractiveReader&) = delete;
    InteractiveReader& operator=(const InteractiveReader&) = delete;

    // The next line entered, without its newline; nothing once input ends.
    // Valid until the next call.
    std::optional<std::string_view> Next();

    // What the editor's callbacks share with the reader.
    struct Typing {
        TypedCharacters characters;
        bool abandoned = false;
    };

private:
    editline* editor_;
    historyW* history_;
    Typing typing_;
    std::string line_;
};

} // namespace tallix::cli
