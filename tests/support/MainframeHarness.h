#pragma once
// The main window on the headless toolkit and an in-memory substitute store,
// for tests and benchmarks that drive handlers directly and set the detection
// fields themselves.

#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "app/frmMainframe.h"
#include "platform/headless/HeadlessProgram.h"
#include "platform/registry/FaultInjection.h"
#include "platform/store/SubstituteStore.h"

namespace zorvanel::testing {

class MainframeHarness {
 public:
  // The store starts from .reg text ("" for an empty registry).
  explicit MainframeHarness(std::string_view regText = "", bool restartPrivileged = true);
  ~MainframeHarness();

  // Loads the main window (its start-up runs) and returns its logic.
  app::frmMainframe& Start();
  app::frmMainframe& window() { return *program_.mainframe(); }

  void Answer(std::initializer_list<ui::Answer> answers);
  // The transcript so far, which is then cleared.
  std::string TakeTranscript();

  store::SubstituteStore& store() { return store_; }
  // Makes the nth call of a registry function from now on fail with the code.
  void Fail(registry::RegistryCall call, std::uint32_t nth, long code) {
    faults_.Add({call, faults_.CallCount(call) + nth, code});
  }
  headless::HeadlessToolkit& toolkit() { return program_.toolkit(); }

 private:
  std::ostringstream out_;
  store::SubstituteStore store_;
  registry::FaultInjector faults_{store_};
  headless::HeadlessProgram program_;
};

}  // namespace zorvanel::testing
