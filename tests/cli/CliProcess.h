#pragma once

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace tallix::testing {

// How one run of tallix-cli ended: the exit status (or 128 + the signal that
// ended it), standard output, standard error.
using Outcome = std::tuple<int, std::string, std::string>;

// Writes standard input to the descriptor; it stops early when the program
// stops reading.
using InputWriter = std::function<void(int fd)>;

// Makes `fd` the descriptor `to`, in a child about to start a program.
void Redirect(int fd, int to);

// Runs tallix-cli with the arguments (no shell in between). Standard output
// and error are files, so no pipe can fill up; `inChild` runs in the child
// just before the program starts, to change its limits or descriptors.
Outcome RunCli(const std::vector<std::string>& args, const InputWriter& input,
               const std::function<void()>& inChild = {});
Outcome RunCli(const std::vector<std::string>& args, const std::string& input = "",
               const std::function<void()>& inChild = {});

// The whole content of a file.
std::string ReadFile(const std::string& path);

// The message line about the Nth expression argument or line of input.
std::string Arg(int n, const std::string& message);
std::string Line(int n, const std::string& message);

} // namespace tallix::testing
