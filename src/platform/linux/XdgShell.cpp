#include "platform/linux/XdgShell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <thread>

extern char** environ;

namespace zorvanel::platform {

namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// "scheme:..." with a scheme of two characters or more, so that a Windows
// drive letter is not taken for one.
bool IsLink(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
  return std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
}

// Windows file names ignore case.
bool IsNotepad(std::string_view file) {
  return SameIgnoringCase(file, "notepad.exe") || SameIgnoringCase(file, "notepad");
}

}  // namespace

std::optional<std::string> OpenTarget(std::string_view verb, std::string_view file,
                                      std::string_view parameters, std::string_view directory,
                                      std::string_view documents) {
  if (!SameIgnoringCase(verb, "open")) return std::nullopt;
  std::string_view document = file;
  if (IsNotepad(file)) {
    document = parameters;
    if (directory.empty()) directory = documents;
  } else if (!parameters.empty()) {
    return std::nullopt;  // a program of its own: there is none to run here
  }
  if (document.empty()) return std::nullopt;
  if (IsLink(document)) return std::string(document);
  // An absolute path can never be read by xdg-open as one of its options.
  std::error_code error;
  const fs::path base =
      directory.empty() ? fs::current_path(error) : fs::absolute(directory, error);
  if (error) return std::nullopt;
  return (base / document).lexically_normal().string();
}

void XdgShell::ShellExecute(std::uintptr_t /*owner*/, std::string_view verb,
                            std::string_view file, std::string_view parameters,
                            std::string_view directory, int /*showCommand*/) {
  std::optional<std::string> target = OpenTarget(verb, file, parameters, directory, documents_);
  if (!target) return;
  std::string program = launcher_;
  char* argv[] = {program.data(), target->data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) return;
  // xdg-open hands the target over and exits; its end is collected aside so
  // that the window never waits for it and no zombie is left behind.
  std::thread([child] {
    while (waitpid(child, nullptr, 0) == -1 && errno == EINTR) {
    }
  }).detach();
}

}  // namespace zorvanel::platform
