// The detection fields the writer and the backup work from: which keys they
// write and which mode-table variant they build. The labels show most of
// this; the video key and the manual choice's format are seen only here.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "app/Services.h"
#include "app/ProgramWindows.h"
#include "app/WindowNames.h"
#include "app/frmMainframe.h"
#include "detect/ManualVersionChoice.h"
#include "platform/headless/FakeServices.h"
#include "platform/headless/HeadlessToolkit.h"
#include "platform/store/RegFile.h"
#include "platform/store/SubstituteStore.h"

namespace zorvanel::detect {
namespace {

constexpr const char* kServiceKey = "SYSTEM\\CurrentControlSet\\Services\\nv";
constexpr const char* kVideoKey =
    "SYSTEM\\CurrentControlSet\\Control\\Video\\{23A77BF7-ED96-40EC-AF06-9B1F4867732A}\\0000";

store::Key LoadStore(const std::string& name) {
  const std::string path = std::string(ZORVANEL_TEST_DATA) + "/stores/" + name;
  std::ifstream in(path, std::ios::binary);
  return store::ParseRegFile(std::string(std::istreambuf_iterator<char>(in), {}), path);
}

// Keeps hold of the main window's logic so that its fields can be read.
class KeptWindows : public ui::WindowFactory {
 public:
  explicit KeptWindows(app::Services& services) : inner_(services) {}
  const ui::WindowLayout& Layout(std::string_view window) const override {
    return inner_.Layout(window);
  }
  std::unique_ptr<ui::WindowLogic> CreateLogic(std::string_view window) override {
    auto logic = inner_.CreateLogic(window);
    if (window == app::kMainframe) main = static_cast<app::frmMainframe*>(logic.get());
    return logic;
  }
  app::frmMainframe* main = nullptr;

 private:
  app::ProgramWindows inner_;
};

// One start of the program on a store, without a screen.
class Machine {
 public:
  explicit Machine(const std::string& storeName)
      : store_(LoadStore(storeName)),
        toolkit_(transcript_, "."),
        system_(platform::kPlatformWin32Nt),
        restart_(transcript_, true),
        shell_(transcript_),
        music_(transcript_, true, toolkit_.CurrentDirectory()),
        services_{toolkit_, store_, system_, restart_, shell_, music_},
        windows_(services_) {
    toolkit_.Attach(windows_);
    toolkit_.Start(app::kMainframe);
  }
  app::frmMainframe& window() { return *windows_.main; }

 private:
  std::ostringstream out_;
  headless::Transcript transcript_{out_};
  store::SubstituteStore store_;
  headless::HeadlessToolkit toolkit_;
  headless::FakeSystemInfo system_;
  headless::FakeRestart restart_;
  headless::RecordingShell shell_;
  headless::FakeMusic music_;
  app::Services services_;
  KeptWindows windows_;
};

TEST(DetectFields, FollowTheDriverKeysAndTheVersion) {
  struct Case {
    const char* store;
    const char* driverKey;
    const char* altDriverKey;
    bool usesCompressedFormat, hexFormat, usesPrefix;
  };
  const Case cases[] = {
      {"detect-4523.reg", kServiceKey, kVideoKey, true, true, true},
      {"detect-4100-no-switch.reg", kServiceKey, kVideoKey, true, true, false},
      {"detect-4050-switch-1.reg", kServiceKey, kVideoKey, true, true, false},
      {"detect-4000-switch-1.reg", kServiceKey, kVideoKey, true, false, false},
      {"detect-4050-switch-0.reg", kServiceKey, kVideoKey, false, false, false},
      {"detect-4050-no-switch.reg", kServiceKey, kVideoKey, false, false, false},
      {"detect-5000-kept-backup.reg", kServiceKey, kVideoKey, false, false, false},
      {"detect-no-video-key.reg", kServiceKey, "", true, true, true},
      {"detect-no-class-instance-kept-backup.reg", kServiceKey, kVideoKey, true, false, false},
      {"detect-no-driver-kept-backup.reg", "", "", false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.store);
    Machine machine(c.store);
    const DetectionFields& fields = machine.window().fields;
    EXPECT_EQ(fields.DriverKey, c.driverKey);
    EXPECT_EQ(fields.AltDriverKey, c.altDriverKey);
    EXPECT_EQ(fields.UsesCompressedFormat, c.usesCompressedFormat);
    EXPECT_EQ(fields.HexFormat, c.hexFormat);
    EXPECT_EQ(fields.UsesPrefix, c.usesPrefix);
  }
}

TEST(DetectFields, ManualChoiceSetsOnlyTheHexadecimalFormat) {
  Machine machine("detect-no-class-instance-kept-backup.reg");
  app::frmMainframe& window = machine.window();
  const DetectionFields detected = window.fields;

  obtVerError40_Click(window);
  EXPECT_TRUE(window.fields.HexFormat);
  obtVerError28_Click(window);
  EXPECT_FALSE(window.fields.HexFormat);

  EXPECT_EQ(window.fields.UsesPrefix, detected.UsesPrefix);
  EXPECT_EQ(window.fields.UsesCompressedFormat, detected.UsesCompressedFormat);
  EXPECT_EQ(window.fields.AltDriverKey, detected.AltDriverKey);
}

}  // namespace
}  // namespace zorvanel::detect
