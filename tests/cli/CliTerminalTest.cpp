// tallix-cli at a terminal: a pseudo-terminal stands for the person typing.
#include "tests/support/RowName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr auto kPatience = std::chrono::seconds(10);

class Terminal {
public:
    // The program in the given locale, or in the test's own without one;
    // `nonBlocking`: as another program may leave the terminal.
    explicit Terminal(const char* locale = nullptr, bool nonBlocking = false) {
        pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            setenv("TERM", "xterm", 1);
            if (locale != nullptr) {
                setenv("LC_ALL", locale, 1);
            }
            if (nonBlocking) {
                fcntl(STDIN_FILENO, F_SETFL, fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
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

    // Everything shown since the last text waited for.
    std::string Unseen() const { return screen_.substr(seen_); }

    // Waits for the program to end, reading what it still shows; the
    // terminal is closed only after, as closing it would hang the program up.
    int ExitStatus() {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (ReadSome() && std::chrono::steady_clock::now() < deadline) {
        }
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

const std::string kLeft = "\x1b[D";
const std::string kUp = "\x1b[A";
const std::string kHome = "\x1b[H";
const std::string kEnd = "\x1b[F";
const std::string kCtrlC = "\x03";
const std::string kCtrlD = "\x04";

// Keys typed after a prompt, then the answer expected on the next line, the
// only one shown for those keys.
using Session = std::vector<std::tuple<const char*, std::string, std::string>>;

// Types each row's keys at a prompt, then ends the input; the exit status.
int Converse(Terminal& terminal, const Session& session) {
    for (const auto& [name, keys, answer] : session) {
        if (!terminal.WaitFor("> ")) {
            ADD_FAILURE() << name << ": no prompt";
            return -1;
        }
        terminal.Type(keys);
        const std::optional<std::string> before = terminal.WaitFor(answer);
        if (!before) {
            ADD_FAILURE() << name << ": shown " << terminal.Unseen();
            return -1;
        }
        // No other answer on the way there: an abandoned line gives none.
        EXPECT_FALSE(std::regex_search(*before, std::regex("\n[0-9]"))) << name << ": " << *before;
    }
    EXPECT_TRUE(terminal.WaitFor("> "));
    terminal.Type(kCtrlD);
    EXPECT_TRUE(terminal.WaitFor("\r\n"));
    return terminal.ExitStatus();
}

std::string Failure(int line, const std::string& message) {
    return "\r\ntallix-cli: line " + std::to_string(line) + ": " + message + "\r\n\r\n";
}

// clang-format off
const Session kEditing = {
    {"Typed",                 "2*3\r",                     "\r\n6\r\n"},
    {"HomeInsertsInFront",    "2+3" + kHome + "1\r",        "\r\n15\r\n"},
    {"LeftInsertsInside",     "9+1" + kLeft + kLeft + "9\r", "\r\n100\r\n"},
    {"UpRecallsEndAppends",   kUp + kEnd + "0\r",           "\r\n109\r\n"},
    {"UpTwiceGoesFurther",    kUp + kUp + "\r",             "\r\n100\r\n"},
    {"CtrlCAbandonsTheLine",  "7*7" + kCtrlC + "5-1\r",     "\r\n4\r\n"},
    {"FailureNamesItsLine",   "1+\r",                      Failure(7, "Syntax Error: Character 2:  Operand expected")},
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
    {"Pi",                   "\u03C0+1\r",                    Failure(2, kIllegal)},
    {"OneHalf",              "\u00BD\r",                      Failure(3, kIllegal)},
    {"Recalled",             kUp + kUp + kUp + "\r",          Failure(4, kIllegal)},
    {"EditedAround",         "\u03C0+1" + kHome + "7" + kEnd + "2\r", Failure(5, kIllegal)},
    {"LatinOneByte",         "2\xD7" "3\r",                   Failure(6, kIllegal)},
    {"ControlCharacter",     "2\u0082" "3\r",                 Failure(7, kIllegal)},
    {"Tab",                  "2\t3\r",                        Failure(8, kIllegal)},
    {"PlainLineAfterwards",  "2*3\r",                         "\r\n6\r\n"},
};
// clang-format on

// Editing, recalling and abandoning lines, also on a terminal another
// program left non-blocking. Characters the calculation does not accept are
// refused in UTF-8 and in the C locale.
struct TerminalCase {
    const char* name;
    const char* locale;
    bool nonBlocking;
    const Session* session;
};

const TerminalCase kTerminals[] = {
    {"Editing", nullptr, false, &kEditing},
    {"EditingNonBlocking", nullptr, true, &kEditing},
    {"ForeignCharactersInC", "C", false, &kForeignCharacters},
    {"ForeignCharactersInUtf8", "C.UTF-8", false, &kForeignCharacters},
};

class CliTerminal : public ::testing::TestWithParam<TerminalCase> {};

TEST_P(CliTerminal, AnswersEachLineTyped) {
    Terminal terminal(GetParam().locale, GetParam().nonBlocking);
    EXPECT_EQ(Converse(terminal, *GetParam().session), 1);
}

INSTANTIATE_TEST_SUITE_P(Sessions, CliTerminal, ::testing::ValuesIn(kTerminals),
                         tallix::testing::RowName{});

} // namespace
