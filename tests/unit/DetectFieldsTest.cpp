// The detection fields the writer and the backup work from: which keys they
// write and which mode-table variant they build. The labels show most of
// this; the video key and the manual choice's format are seen only here.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/frmMainframe.h"
#include "detect/ManualVersionChoice.h"
#include "tests/support/MainframeHarness.h"

namespace zorvanel::detect {
namespace {

constexpr const char* kServiceKey = "SYSTEM\\CurrentControlSet\\Services\\nv";
constexpr const char* kVideoKey =
    "SYSTEM\\CurrentControlSet\\Control\\Video\\{23A77BF7-ED96-40EC-AF06-9B1F4867732A}\\0000";

std::string StoreText(const std::string& name) {
  std::ifstream in(std::string(ZORVANEL_TEST_DATA) + "/stores/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// One start of the program on a store, without a screen.
class Machine {
 public:
  explicit Machine(const std::string& storeName) : harness_(StoreText(storeName)) {
    harness_.Start();
  }
  app::frmMainframe& window() { return harness_.window(); }

 private:
  testing::MainframeHarness harness_;
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
