// The monitor-limits window on native controls: the keyboard starts in its
// first text box, the boxes take what the user types, and OK stores the
// limits they hold.

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

#include "app/ProductKey.h"
#include "app/ProgramWindows.h"
#include "app/WindowNames.h"
#include "modes/MonitorEntered.h"
#include "platform/headless/FakeServices.h"
#include "platform/store/RegFile.h"
#include "platform/store/SubstituteStore.h"
#include "platform/win32/Win32Toolkit.h"

namespace zorvanel::win32 {
namespace {

TEST(Win32MonitorLimitsWindow, StoresWhatIsTypedInItsTextBoxes) {
  std::ostringstream out;
  headless::Transcript transcript{out};
  store::SubstituteStore store(store::ParseRegFile(
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Dravenlock\\Zorvanel]\r\n", "store"));
  headless::FakeSystemInfo system{2};
  headless::FakeRestart restart{transcript, true};
  headless::RecordingShell shell{transcript};
  headless::FakeMusic music{transcript, true, "."};
  Win32Toolkit toolkit;
  app::Services services{toolkit, store, system, restart, shell, music};
  app::ProgramWindows windows(services);
  toolkit.Attach(windows);
  toolkit.Start(app::kMonitorLimits);
  auto handle = [&](const char* control) {
    return toolkit.ControlHandle({app::kMonitorLimits, control});
  };
  EXPECT_EQ(::GetFocus(), handle("txtHorizontal"));
  for (auto [box, text] : {std::pair{"txtHorizontal", "30-96"}, {"txtVertical", "50-160"}}) {
    for (const char* key = text; *key; ++key) ::SendMessageA(handle(box), WM_CHAR, *key, 1);
  }
  ::SendMessageA(handle("cmdOK"), BM_CLICK, 0, 0);
  EXPECT_FALSE(toolkit.IsLoaded(app::kMonitorLimits));
  registry::mdlRegistry registry(store, toolkit);
  EXPECT_EQ(registry.GetStringValue(registry::HKEY_LOCAL_MACHINE, app::kProductKey,
                                    modes::kMonitorLimitsValue),
            "30-96,50-160");
}

}  // namespace
}  // namespace zorvanel::win32
