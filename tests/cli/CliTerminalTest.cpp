// tallix-cli at a terminal: a pseudo-terminal stands for the person typing.
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr auto kPatience = std::chrono::seconds(10);

class Terminal {
public:
    // `setUp` runs in the program's process before it starts, to set its
    // locale or its terminal.
    explicit Terminal(void (*setUp)() = nullptr) {
        pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            setenv("TERM", "xterm", 1);
            if (setUp != nullptr) {
                setUp();
            }
            execl(TALLIX_CLI_PATH, TALLIX_CLI_PATH, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Terminal() {
        close(master_);
        if (pid_ > 0) {
            waitpid(pid_, nullptr, 0);
        }
    }

    // Types once the line editor has taken the terminal out of line mode:
    // keys typed before that would be echoed and read as a whole line.
    void Type(const std::string& keys) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        termios mode{};
        while (tcgetattr(master_, &mode) == 0 && (mode.c_lflag & ICANON) != 0 &&
               std::chrono::steady_clock::now() < deadline) {
            usleep(1000);
        }
        static_cast<void>(write(master_, keys.data(), keys.size()));
    }

    // Reads the screen until `text` appears: what was shown before it, or
    // nothing when it does not appear in time.
    std::optional<std::string> WaitFor(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        std::size_t found = 0;
        while ((found = screen_.find(text, seen_)) == std::string::npos) {
            if (std::chrono::steady_clock::now() > deadline || !ReadSome()) {
                return std::nullopt;
            }
        }
        std::string before = screen_.substr(seen_, found - seen_);
        seen_ = found + text.size();
        return before;
    }

    // Waits for the program to end, reading what it still shows; the
    // terminal is closed only after, as closing it would hang the program up.
    // -1 when it ended by a signal or had to be killed.
    int ExitStatus() {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        int status = 0;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
            }
            ReadSome();
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The terminal line hangs up, as a modem's or an ended session's does:
    // false when the test may not do that.
    bool HangUp() {
        const int line = open(ptsname(master_), O_RDWR | O_NOCTTY);
        const bool hungUp = line >= 0 && ioctl(line, TIOCVHANGUP) == 0;
        close(line);
        return hungUp;
    }

private:
    // Adds what the program shows within a moment; false once it has gone.
    bool ReadSome() {
        pollfd ready{master_, POLLIN, 0};
        char buffer[4096];
        const int polled = poll(&ready, 1, 100);
        const ssize_t count = polled > 0 ? read(master_, buffer, sizeof buffer) : 0;
        screen_.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
        return polled == 0 || count > 0;
    }

    int master_ = -1;
    pid_t pid_ = -1;
    std::string screen_;
    std::size_t seen_ = 0;
};

// The arrow keys Left and Up.
const std::string kLeft = "\x1b[D";
const std::string kUp = "\x1b[A";

// Keys typed after a prompt, then the answer expected on the next line, the
// only one shown for those keys.
using Session = std::vector<std::tuple<const char*, std::string, std::string>>;

// Types each row's keys at a prompt, then ends the input; the exit status.
int Converse(Terminal& terminal, const Session& session) {
    for (const auto& [name, keys, answer] : session) {
        const bool prompted = terminal.WaitFor("> ").has_value();
        terminal.Type(keys);
        const std::optional<std::string> before = terminal.WaitFor(answer);
        if (!prompted || !before) {
            ADD_FAILURE() << name << (prompted ? ": no answer" : ": no prompt");
            return -1;
        }
        // No other answer on the way there: an abandoned line gives none.
        EXPECT_FALSE(std::regex_search(*before, std::regex("\n[0-9]"))) << name << ": " << *before;
    }
    EXPECT_TRUE(terminal.WaitFor("> "));
    terminal.Type("\x04"); // Ctrl+D
    EXPECT_TRUE(terminal.WaitFor("\r\n"));
    return terminal.ExitStatus();
}

std::string Failure(int line, const std::string& message) {
    return "\r\ntallix-cli: line " + std::to_string(line) + ": " + message + "\r\n\r\n";
}

// clang-format off
const Session kEditing = {
    {"Typed",                 "2*3\r",                     "\r\n6\r\n"},
    {"LeftInsertsInside",     "9+1" + kLeft + kLeft + "9\r", "\r\n100\r\n"},
    {"CtrlCAbandonsTheLine",  "7*7\x03" "5-1\r",     "\r\n4\r\n"}, // \x03: Ctrl+C
    {"FailureNamesItsLine",   "1+\r",                      Failure(4, "Syntax Error: Character 2:  Operand expected")},
};
// clang-format on

// Characters the calculation does not accept are refused as they are from a
// pipe, never dropped to leave a different expression (in the C locale every
// byte above 127 is one it cannot decode): as typed, as recalled, edited
// around, and as bytes that are not UTF-8.
const std::string kIllegal = "Error: The expression is illegal.";
// clang-format off
const Session kForeignCharacters = {
    {"TimesSign",            "2\u00D73\r",                    Failure(1, kIllegal)},
    {"Recalled",             kUp + "\r",                      Failure(2, kIllegal)},
    {"EditedAround",         "\u03C0+1\x1b[H" "7\x1b[F" "2\r", Failure(3, kIllegal)}, // Home, End
    {"LatinOneByte",         "2\xD7" "3\r",                   Failure(4, kIllegal)},
    {"ControlCharacter",     "2\u0082" "3\r",                 Failure(5, kIllegal)},
    {"Tab",                  "2\t3\r",                        Failure(6, kIllegal)},
    {"PlainLineAfterwards",  "2*3\r",                         "\r\n6\r\n"},
};
// clang-format on

// The history holds the last thousand lines: Up as many times as there are
// lines recalls the second.
Session History() {
    Session session;
    std::string up;
    for (int line = 1; line <= 1001; ++line) {
        session.emplace_back("line", std::to_string(line) + "\r",
                             "\r\n" + std::to_string(line) + "\r\n");
        up += kUp;
    }
    session.emplace_back("recalled", up + "\r", "\r\n2\r\n");
    return session;
}
const Session kHistory = History();

// Editing, recalling and abandoning lines, also on a terminal another
// program left non-blocking. Characters the calculation does not accept are
// refused in UTF-8 and in the C locale.
struct TerminalCase {
    const char* name;
    void (*setUp)();
    const Session* session;
    int status = 1; // a failed line among them
};

// clang-format off
const TerminalCase kTerminals[] = {
    {"Editing", nullptr, &kEditing},
    {"EditingNonBlocking", [] { fcntl(STDIN_FILENO, F_SETFL, fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK); }, &kEditing},
    {"ForeignCharactersInC", [] { setenv("LC_ALL", "C", 1); }, &kForeignCharacters},
    {"ForeignCharactersInUtf8", [] { setenv("LC_ALL", "C.UTF-8", 1); }, &kForeignCharacters},
    {"History", nullptr, &kHistory, 0},
};
// clang-format on

class CliTerminal : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(CliTerminal, AnswersEachLineTyped) {
    Terminal terminal(GetParam().setUp);
    EXPECT_EQ(Converse(terminal, *GetParam().session), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Sessions, CliTerminal, ::testing::ValuesIn(kTerminals),
                         tallix::testing::RowName{});

// A terminal that hangs up ends the input, as Ctrl+D does. The program
// ignores the hang-up signal, as under nohup, so only the reading ends it;
// the line it then writes finds no terminal, a failed write (status 2).
TEST(CliTerminalHangUp, EndsTheRun) {
    Terminal terminal([] { std::signal(SIGHUP, SIG_IGN); });
    ASSERT_TRUE(terminal.WaitFor("> "));
    if (!terminal.HangUp()) {
        GTEST_SKIP() << "hanging up a terminal needs the capability CAP_SYS_ADMIN";
    }
    EXPECT_EQ(terminal.ExitStatus(), 2);
}

} // namespace
