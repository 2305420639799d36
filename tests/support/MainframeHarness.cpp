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

}  // namespace zorvanel::testing
