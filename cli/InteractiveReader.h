#pragma once

#include <optional>
#include <string_view>

struct editline;
struct history;

namespace tallix::cli {

// Lines typed at a terminal with editing and recall of this session's
// earlier lines (kept in memory only): arrows, Home and End move, Up and
// Down recall, Ctrl+C abandons the line, Ctrl+D on an empty line ends.
class InteractiveReader {
public:
    InteractiveReader();
    ~InteractiveReader();
    InteractiveReader(const InteractiveReader&) = delete;
    InteractiveReader& operator=(const InteractiveReader&) = delete;

    // The next line entered, without its newline; nothing once input ends.
    // Valid until the next call.
    std::optional<std::string_view> Next();

private:
    editline* editor_;
    history* history_;
    bool abandoned_ = false;
};

} // namespace tallix::cli
