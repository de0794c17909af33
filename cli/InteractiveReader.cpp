#include "cli/InteractiveReader.h"

#include <cstdio>

#include <histedit.h>

namespace tallix::cli {

namespace {

constexpr int kHistorySize = 1000;

const char* Prompt(EditLine* /*editor*/) {
    return "> ";
}

// Bound to Ctrl+C: ends the line as Return would, from its end so that the
// abandoned text stays readable, and marks it to be dropped.
unsigned char AbandonLine(EditLine* editor, int /*key*/) {
    void* data = nullptr;
    el_get(editor, EL_CLIENTDATA, &data);
    *static_cast<bool*>(data) = true;
    el_push(editor, "\x05\n"); // Ctrl+E, then Return
    return CC_NORM;
}

} // namespace

InteractiveReader::InteractiveReader()
    : editor_(el_init("tallix-cli", stdin, stdout, stderr)), history_(history_init()) {
    HistEvent event;
    history(history_, &event, H_SETSIZE, kHistorySize);
    el_set(editor_, EL_EDITOR, "emacs");
    el_set(editor_, EL_HIST, history, history_);
    el_set(editor_, EL_PROMPT, Prompt);
    el_set(editor_, EL_SIGNAL, 1);
    el_set(editor_, EL_CLIENTDATA, &abandoned_);
    // Ctrl+C reaches the editor as a key rather than as a signal that would
    // end the program.
    el_set(editor_, EL_SETTY, "-d", "-isig", nullptr);
    // The wide form keeps these static names; the narrow one copies them and
    // the copies are never freed.
    el_wset(editor_, EL_ADDFN, L"tallix-abandon", L"abandon the line", AbandonLine);
    el_set(editor_, EL_BIND, "^C", "tallix-abandon", nullptr);
}

InteractiveReader::~InteractiveReader() {
    history_end(history_);
    el_end(editor_);
}

std::optional<std::string_view> InteractiveReader::Next() {
    for (;;) {
        abandoned_ = false;
        int count = 0;
        const char* text = el_gets(editor_, &count);
        if (text == nullptr || count <= 0) {
            return std::nullopt;
        }
        std::string_view line(text, static_cast<std::size_t>(count));
        if (line.ends_with('\n')) {
            line.remove_suffix(1);
        }
        if (abandoned_) {
            continue;
        }
        if (!line.empty()) {
            HistEvent event;
            history(history_, &event, H_ENTER, text);
        }
        return line;
    }
}

} // namespace tallix::cli
