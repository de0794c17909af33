#include "tests/cli/CliProcess.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tallix::testing {

std::string ReadFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void Redirect(int fd, int to) {
    dup2(fd, to);
    close(fd);
}

namespace {

[[noreturn]] void Exec(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(TALLIX_CLI_PATH)};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    execv(TALLIX_CLI_PATH, argv.data());
    _exit(127);
}

std::string TakeFile(const std::string& path) {
    std::string text = ReadFile(path);
    std::remove(path.c_str());
    return text;
}

} // namespace

Outcome RunCli(const std::vector<std::string>& args, const InputWriter& input,
               const std::function<void()>& inChild) {
    std::signal(SIGPIPE, SIG_IGN); // a program that stops reading must not end the test
    const std::string base = ::testing::TempDir() + "tallix_cli_" + std::to_string(getpid());
    int in[2];
    EXPECT_EQ(pipe(in), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        close(in[1]);
        Redirect(in[0], STDIN_FILENO);
        Redirect(open((base + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        Redirect(open((base + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        std::signal(SIGPIPE, SIG_DFL); // the test ignores it; the program must not inherit that
        if (inChild) {
            inChild();
        }
        Exec(args);
    }
    close(in[0]);
    input(in[1]);
    close(in[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
            TakeFile(base + ".out"), TakeFile(base + ".err")};
}

Outcome RunCli(const std::vector<std::string>& args, const std::string& input,
               const std::function<void()>& inChild) {
    return RunCli(
        args, [&input](int fd) { static_cast<void>(write(fd, input.data(), input.size())); },
        inChild);
}

std::string Arg(int n, const std::string& message) {
    return "tallix-cli: argument " + std::to_string(n) + ": " + message + "\n";
}

std::string Line(int n, const std::string& message) {
    return "tallix-cli: line " + std::to_string(n) + ": " + message + "\n";
}

} // namespace tallix::testing
