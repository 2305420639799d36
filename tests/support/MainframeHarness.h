#pragma once
// The main window on the headless toolkit and an in-memory substitute store,
// for tests and benchmarks that drive handlers directly and set the detection
// fields themselves.

#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "app/ProgramWindows.h"
#include "app/Services.h"
#include "app/frmMainframe.h"
#include "platform/headless/FakeServices.h"
#include "platform/headless/HeadlessToolkit.h"
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
  app::frmMainframe& window() { return *window_; }

  void Answer(std::initializer_list<ui::Answer> answers);
  // The transcript so far, which is then cleared.
  std::string TakeTranscript();
  // The store as .reg text, without its header line.
  std::string Dump() const;
  // One line per value of the key: "name=text" for a text value, read as
  // the program reads it (up to its first NUL), "name:TYPE" for any other.
  // Empty when the key is missing.
  std::string Values(std::string_view path) const;

  store::SubstituteStore& store() { return store_; }
  // Makes the nth call of a registry function from now on fail with the code.
  void Fail(registry::RegistryCall call, std::uint32_t nth, long code) {
    faults_.Add({call, faults_.CallCount(call) + nth, code});
  }
  headless::HeadlessToolkit& toolkit() { return toolkit_; }

 private:
  // The program's windows, remembering the main window's logic.
  class Windows : public app::ProgramWindows {
   public:
    Windows(app::Services& services, app::frmMainframe*& mainframe)
        : ProgramWindows(services), mainframe_(mainframe) {}
    std::unique_ptr<ui::WindowLogic> CreateLogic(std::string_view window) override;

   private:
    app::frmMainframe*& mainframe_;
  };

  std::ostringstream out_;
  headless::Transcript transcript_{out_};
  store::SubstituteStore store_;
  registry::FaultInjector faults_{store_};
  headless::HeadlessToolkit toolkit_;
  headless::FakeSystemInfo system_{platform::kPlatformWin32Nt};
  headless::FakeRestart restart_;
  headless::RecordingShell shell_{transcript_};
  headless::FakeMusic music_;
  app::Services services_;
  app::frmMainframe* window_ = nullptr;
  Windows windows_{services_, window_};
};

}  // namespace zorvanel::testing
