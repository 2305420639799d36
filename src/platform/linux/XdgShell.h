#pragma once
// The shell on a Linux desktop: links and documents go to the desktop's
// default handler through xdg-open. It is started directly, never through a
// shell, so no text of a request is ever interpreted.

#include <optional>
#include <string>
#include <string_view>

#include "platform/services/Shell.h"

namespace zorvanel::platform {

// What a shell request opens on this desktop: a link as it is, or a
// document's absolute path; nothing when the request has no stand-in here.
// Notepad stands for the default handler of the document it is given. A
// Notepad document asked for without a working directory is looked for in
// `documents` when one is given: an installed program keeps its documents
// apart from its other files.
std::optional<std::string> OpenTarget(std::string_view verb, std::string_view file,
                                      std::string_view parameters, std::string_view directory,
                                      std::string_view documents = {});

class XdgShell : public ShellApi {
 public:
  explicit XdgShell(std::string launcher = "xdg-open", std::string documents = {})
      : launcher_(std::move(launcher)), documents_(std::move(documents)) {}

  // The owner and the show command are the desktop's business here.
  void ShellExecute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                    std::string_view parameters, std::string_view directory,
                    int showCommand) override;

 private:
  std::string launcher_;
  std::string documents_;
};

}  // namespace zorvanel::platform
