#include "tests/support/MainframeHarness.h"

#include "app/WindowNames.h"
#include "platform/store/RegFile.h"

namespace zorvanel::testing {

namespace {
store::Key RootFrom(std::string_view regText) {
  return regText.empty() ? store::EmptyRoot()
                         : store::ParseRegFile(regText, "test store");
}
}  // namespace

MainframeHarness::MainframeHarness(std::string_view regText, bool restartPrivileged)
    : store_(RootFrom(regText)),
      program_(out_, faults_, {.restartPrivileged = restartPrivileged, .musicEngine = false}) {}

MainframeHarness::~MainframeHarness() = default;

app::frmMainframe& MainframeHarness::Start() {
  program_.toolkit().Start(app::kMainframe);
  return window();
}

void MainframeHarness::Answer(std::initializer_list<ui::Answer> answers) {
  for (ui::Answer answer : answers) program_.toolkit().QueueAnswer(answer);
}

std::string MainframeHarness::TakeTranscript() {
  std::string text = out_.str();
  out_.str("");
  return text;
}

std::string MainframeHarness::Dump() const {
  std::string text = store::FormatRegFile(store_.Root());
  std::erase(text, '\r');
  return text.substr(text.find('\n') + 1);
}

std::string MainframeHarness::Values(std::string_view path) const {
  const store::Key* key = &store_.Root();
  for (const auto& part : store::SplitPath(path)) {
    if (key) key = key->FindSubkey(part);
  }
  if (!key) return {};
  std::string lines;
  for (const auto& value : key->values) {
    if (value.type == registry::REG_SZ || value.type == registry::REG_MULTI_SZ) {
      const std::string data(value.data.begin(), value.data.end());
      lines += value.name + "=" + data.substr(0, data.find('\0')) + "\n";
    } else {
      lines += value.name + ":" + std::to_string(value.type) + "\n";
    }
  }
  return lines;
}

}  // namespace zorvanel::testing
