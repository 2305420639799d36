#include "platform/headless/FakeServices.h"

#include <filesystem>

namespace zorvanel::headless {

void RecordingShell::ShellExecute(std::uintptr_t /*owner*/, std::string_view verb,
                                  std::string_view file, std::string_view parameters,
                                  std::string_view /*directory*/, int showCommand) {
  transcript_.Line("shell " + std::string(verb) + " " + Quote(file) + " " + Quote(parameters) +
                   " " + std::to_string(showCommand));
}

bool FakeMusic::PrepareEngine() {
  transcript_.Line("music init");
  return engine_;
}

bool FakeMusic::LoadFile(std::string_view fileName) {
  transcript_.Line("music load " + Quote(fileName));
  std::error_code error;
  loaded_ = engine_ && std::filesystem::is_regular_file(
                           std::filesystem::path(directory_) / fileName, error);
  return loaded_;
}

void FakeMusic::Play() {
  transcript_.Line("music play");
  if (loaded_) playing_ = true;
}

}  // namespace zorvanel::headless
