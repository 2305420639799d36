#include "tests/robust/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace zorvanel::robust {

namespace {

void Check(bool ok, const char* what) {
  if (!ok) throw std::system_error(errno, std::generic_category(), what);
}

void CloseIfOpen(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::function<void()>& beforeExec) {
  // A child that dies early must not take the test with it on its next write.
  ::signal(SIGPIPE, SIG_IGN);
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  int in[2], out[2], err[2];
  Check(::pipe2(in, O_CLOEXEC) == 0 && ::pipe2(out, O_CLOEXEC) == 0 && ::pipe2(err, O_CLOEXEC) == 0, "pipe2");
  pid_ = ::fork();
  Check(pid_ >= 0, "fork");
  if (pid_ == 0) {
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    if (beforeExec) beforeExec();
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  input_ = in[1];
  outputPipe_ = out[0];
  errorPipe_ = err[0];
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    Finish();
  }
  CloseIfOpen(input_);
}

void ChildProcess::Input(std::string_view text) {
  while (!text.empty()) {
    const ssize_t done = ::write(input_, text.data(), text.size());
    if (done < 0 && errno == EINTR) continue;
    if (done < 0 && errno == EPIPE) break;
    Check(done >= 0, "write to child");
    text.remove_prefix(static_cast<std::size_t>(done));
  }
  CloseIfOpen(input_);
}

void ChildProcess::Kill(int signal) { Check(::kill(pid_, signal) == 0, "kill"); }

int ChildProcess::Finish() {
  // Both streams at once, so that a child filling one pipe cannot stall.
  int* pipes[2] = {&outputPipe_, &errorPipe_};
  std::string* texts[2] = {&output_, &errors_};
  while (outputPipe_ >= 0 || errorPipe_ >= 0) {
    pollfd fds[2] = {{outputPipe_, POLLIN, 0}, {errorPipe_, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      Check(errno == EINTR, "poll");
      continue;
    }
    for (int i = 0; i < 2; ++i) {
      if (*pipes[i] < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(*pipes[i], buffer, sizeof buffer);
      if (got > 0) {
        texts[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        CloseIfOpen(*pipes[i]);
      }
    }
  }
  int status = 0;
  while (::waitpid(pid_, &status, 0) < 0) Check(errno == EINTR, "waitpid");
  pid_ = -1;
  return status;
}

std::string DescribeStatus(int status) {
  if (WIFEXITED(status)) return "exit " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "status " + std::to_string(status);
}

std::vector<std::string> AsUser(uid_t user, std::vector<std::string> argv) {
  if (::geteuid() == 0) {
    const std::string id = std::to_string(user);
    argv.insert(argv.begin(), {"/usr/bin/setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups"});
  }
  return argv;
}

std::string CopyTheUserCanRun(uid_t user, const std::string& program,
                              const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  fs::permissions(folder, fs::perms::others_exec, fs::perm_options::add);
  const fs::path copy = folder / fs::path(program).filename();
  fs::copy_file(program, copy);
  fs::permissions(copy, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  ChildProcess probe(AsUser(user, {"/usr/bin/test", "-x", copy.string()}));
  return probe.Finish() == 0 ? copy.string() : "";
}

}  // namespace zorvanel::robust
