#include "tests/cli/CliProcess.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tallix::testing {

namespace {

std::string TakeFile(const std::string& path) {
    std::string text = ReadFile(path);
    std::remove(path.c_str());
    return text;
}

[[noreturn]] void StartInChild(const std::vector<std::string>& args, int input, int out, int err,
                               const std::function<void()>& inChild) {
    dup2(input, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    close(input);
    close(out);
    close(err);
    std::signal(SIGPIPE, SIG_DFL); // the test ignores it; the program must not inherit that
    if (inChild) {
        inChild();
    }
    std::vector<char*> argv{const_cast<char*>(TALLIX_CLI_PATH)};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    execv(TALLIX_CLI_PATH, argv.data());
    _exit(127);
}

} // namespace

std::string ReadFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

InputWriter Text(std::string text) {
    return [text = std::move(text)](int fd) {
        static_cast<void>(write(fd, text.data(), text.size()));
    };
}

CliRun RunCli(const std::vector<std::string>& args, const InputWriter& input,
              const std::function<void()>& inChild) {
    std::signal(SIGPIPE, SIG_IGN); // a program that stops reading must not end the test
    const std::string base = ::testing::TempDir() + "tallix_cli_" + std::to_string(getpid());
    const int out = open((base + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open((base + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int pipeEnds[2];
    if (out < 0 || err < 0 || pipe(pipeEnds) != 0) {
        ADD_FAILURE() << "cannot set up the run";
        return {};
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[1]);
        StartInChild(args, pipeEnds[0], out, err, inChild);
    }
    close(pipeEnds[0]);
    close(out);
    close(err);
    input(pipeEnds[1]);
    close(pipeEnds[1]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    CliRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = TakeFile(base + ".out");
    run.err = TakeFile(base + ".err");
    run.maxRssKiB = usage.ru_maxrss;
    return run;
}

Outcome RunCliOutcome(const std::vector<std::string>& args, const std::string& input) {
    CliRun run = RunCli(args, Text(input));
    return {run.status, std::move(run.out), std::move(run.err)};
}

std::string Arg(int n, const std::string& message) {
    return "tallix-cli: argument " + std::to_string(n) + ": " + message + "\n";
}

std::string Line(int n, const std::string& message) {
    return "tallix-cli: line " + std::to_string(n) + ": " + message + "\n";
}

} // namespace tallix::testing
