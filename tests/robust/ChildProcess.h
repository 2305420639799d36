#pragma once
// A real child process for tests that need one: killing it, running two at
// once, or limiting what it may write.

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvanel::robust {

class ChildProcess {
 public:
  // Starts argv[0] with its standard input, output and error on pipes.
  // beforeExec runs in the child between fork and exec: only
  // async-signal-safe calls there.
  explicit ChildProcess(const std::vector<std::string>& argv, const std::function<void()>& beforeExec = {});
  ~ChildProcess();  // kills and reaps a child still running
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  // Writes the text to its standard input and closes it; a child that no
  // longer reads is let be.
  void Input(std::string_view text);
  void Kill(int signal);
  // Reads both output streams to their end, then reaps the child; its wait status.
  int Finish();
  const std::string& Output() const { return output_; }
  const std::string& Errors() const { return errors_; }

 private:
  pid_t pid_ = -1;
  int input_ = -1, outputPipe_ = -1, errorPipe_ = -1;
  std::string output_, errors_;
};

// "exit 0", "signal 9" and so on, for messages.
std::string DescribeStatus(int status);

// argv run as `user`, dropping root through setpriv; unchanged when the
// test does not run as root.
std::vector<std::string> AsUser(uid_t user, std::vector<std::string> argv);

// A copy of `program` in `folder` that `user` may run, for the build folder
// may lie where that user cannot enter (a checkout under /root, which is
// mode 0700). Empty when the user cannot reach even `folder`.
std::string CopyTheUserCanRun(uid_t user, const std::string& program,
                              const std::filesystem::path& folder);

}  // namespace zorvanel::robust
