#include "cli/InteractiveReader.h"

#include "cli/FileIo.h"

#include <cerrno>
#include <clocale>
#include <cstdio>

#include <fcntl.h>
#include <histedit.h>
#include <unistd.h>

namespace tallix::cli {

namespace {

constexpr int kHistorySize = 1000;

const wchar_t* Prompt(EditLine* /*editor*/) {
    return L"> ";
}

InteractiveReader::Typing& TypingOf(EditLine* editor) {
    void* data = nullptr;
    el_get(editor, EL_CLIENTDATA, &data);
    return *static_cast<InteractiveReader::Typing*>(data);
}

// Bound to Ctrl+C: ends the line as Return would, from its end so that the
// abandoned text stays readable, and marks it to be dropped.
unsigned char AbandonLine(EditLine* editor, int /*key*/) {
    TypingOf(editor).abandoned = true;
    el_wpush(editor, L"\x05\n"); // Ctrl+E, then Return
    return CC_NORM;
}

// One byte typed: 1, 0 at the end, -1 on failure. A terminal that another
// program left non-blocking is made to wait again rather than end the input.
std::ptrdiff_t ReadByte(unsigned char& byte) {
    for (;;) {
        const std::ptrdiff_t count = ReadSome(STDIN_FILENO, reinterpret_cast<char*>(&byte), 1);
        const int flags = count < 0 && errno == EAGAIN ? fcntl(STDIN_FILENO, F_GETFL) : -1;
        if (flags == -1 || fcntl(STDIN_FILENO, F_SETFL, flags & ~O_NONBLOCK) == -1) {
            return count;
        }
    }
}

// Replaces the editor's own reading, which drops every byte the locale
// cannot decode: 1 with the next character, 0 at the end, -1 on failure.
int ReadCharacter(EditLine* editor, wchar_t* character) {
    TypedCharacters& typed = TypingOf(editor).characters;
    while (!typed.HasCharacter()) {
        unsigned char byte = 0;
        const std::ptrdiff_t count = ReadByte(byte);
        if (count < 0) {
            return -1;
        }
        if (count == 0 && !typed.Finish()) {
            return 0;
        }
        if (count == 1) {
            typed.Add(byte);
        }
    }
    *character = typed.Take();
    return 1;
}

// Tab and the codes 128 to 255 are text here, inserted as typed: the editor
// binds Tab to a completion that does not exist, and the codes it does not
// find printable (control characters in UTF-8) to its commands for a Meta
// key that sets the eighth bit, dropping them. Meta still works through Escape.
void BindTextKeys(EditLine* editor) {
    el_wset(editor, EL_BIND, L"^I", L"ed-insert", nullptr);
    for (wchar_t code = 0x80; code <= 0xFF; ++code) {
        const wchar_t key[] = {code, L'\0'};
        el_wset(editor, EL_BIND, key, L"ed-insert", nullptr);
    }
}

} // namespace

InteractiveReader::InteractiveReader() {
    // The terminal sends characters in the locale's encoding; the editor
    // needs it to show and move over them. The calculation does not depend
    // on it: it checks each byte against its own lists.
    std::setlocale(LC_CTYPE, "");
    editor_ = el_init("tallix-cli", stdin, stdout, stderr);
    history_ = history_winit();
    HistEventW event;
    history_w(history_, &event, H_SETSIZE, kHistorySize);
    el_wset(editor_, EL_EDITOR, L"emacs");
    el_wset(editor_, EL_HIST, history_w, history_);
    el_wset(editor_, EL_PROMPT, Prompt);
    el_wset(editor_, EL_SIGNAL, 1);
    el_wset(editor_, EL_CLIENTDATA, &typing_);
    el_wset(editor_, EL_GETCFN, ReadCharacter);
    // Ctrl+C reaches the editor as a key rather than as a signal that would
    // end the program.
    el_wset(editor_, EL_SETTY, L"-d", L"-isig", nullptr);
    el_wset(editor_, EL_ADDFN, L"tallix-abandon", L"abandon the line", AbandonLine);
    el_wset(editor_, EL_BIND, L"^C", L"tallix-abandon", nullptr);
    BindTextKeys(editor_);
}

InteractiveReader::~InteractiveReader() {
    history_wend(history_);
    el_end(editor_);
}

std::optional<std::string_view> InteractiveReader::Next() {
    for (;;) {
        typing_.abandoned = false;
        int count = 0;
        const wchar_t* text = el_wgets(editor_, &count);
        if (text == nullptr || count <= 0) {
            return std::nullopt;
        }
        std::wstring_view line(text, static_cast<std::size_t>(count));
        if (line.ends_with(L'\n')) {
            line.remove_suffix(1);
        }
        if (typing_.abandoned) {
            continue;
        }
        if (!line.empty()) {
            HistEventW event;
            history_w(history_, &event, H_ENTER, text);
        }
        line_ = EncodeTypedLine(line);
        return line_;
    }
}

} // namespace tallix::cli
