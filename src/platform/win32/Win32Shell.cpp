#include "platform/win32/Win32Shell.h"

#include <string>

#include "platform/win32/WindowsApi.h"

namespace zorvanel::win32 {

namespace {
// An empty text is passed as no text at all: no parameters, no directory.
const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }
}  // namespace

// The shell's answer is not looked at: a link that cannot be opened does nothing.
void Win32Shell::ShellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                              std::string_view parameters, std::string_view directory,
                              int showCommand) {
  const std::string verbText(verb), fileText(file), parameterText(parameters),
      directoryText(directory);
  ::ShellExecuteA(reinterpret_cast<HWND>(owner), OrNull(verbText), fileText.c_str(),
                  OrNull(parameterText), OrNull(directoryText), showCommand);
}

}  // namespace zorvanel::win32
