// What only hive files show: the bytes that the hive seam stores, read back
// with libhivex and with Debian's independent reader, hivexml.

#include <gtest/gtest.h>
#include <hivex.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/hive/Installation.h"
#include "tests/hive/EmptyHive.h"
#include "tests/robust/TempDirectory.h"

namespace zorvanel::hive {
namespace {

using Bytes = std::vector<std::uint8_t>;

class HiveFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    store::Key store{"HKEY_LOCAL_MACHINE", {}, {{"SOFTWARE", {}, {{"Caf\xE9", {}, {}}}}}};
    ASSERT_TRUE(MakeInstallation(store, dir_.Path(), 2));
    paths_ = FindInstallation(dir_.Path().string());
  }
  const robust::TempDirectory dir_{"hive"};
  HivePaths paths_;
};

// Texts are widened to UTF-16 as Windows-1252 (with the euro sign, a byte
// the table leaves undefined, and Latin-1), other data is kept byte for
// byte, and the names reach the hive as their characters.
TEST_F(HiveFiles, TheSeamStoresWhatWindowsNtStores) {
  const struct {
    std::uint32_t type;
    Bytes written;
    Bytes stored;
  } rows[] = {
      {1, {'4', '5'}, {'4', 0, '5', 0}},
      {1, {0x80, 0x81, 0x9F, 0xE9, 0}, {0xAC, 0x20, 0x81, 0, 0x78, 0x01, 0xE9, 0, 0, 0}},
      {7, {'a', 0, 'b', 0, 0}, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
      {3, {0x80, 0, 1}, {0x80, 0, 1}},
      {4, {1, 0, 0, 0x80}, {1, 0, 0, 0x80}},
      {0x10001, {1, 2}, {1, 2}},  // a type of Windows' device properties, beyond libhivex's enum
  };
  auto installation = Installation::Open(paths_);
  registry::KeyHandle key = 0;
  ASSERT_EQ(installation->Registry().RegOpenKeyEx(registry::HKEY_LOCAL_MACHINE, "SOFTWARE\\Caf\xE9",
                                                  registry::KEY_SET_VALUE | registry::KEY_QUERY_VALUE, &key), 0);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.type);
    // The registry looks at the byte after a text; one that is not NUL adds nothing.
    Bytes buffer = row.written;
    buffer.push_back(0xFF);
    ASSERT_EQ(installation->Registry().RegSetValueEx(key, "V\xE9", row.type, buffer.data(),
                                                     static_cast<std::uint32_t>(row.written.size())), 0);
    ASSERT_EQ(installation->Registry().RegFlushKey(registry::HKEY_LOCAL_MACHINE), 0);
    hive_h* hive = hivex_open(paths_.software.c_str(), 0);
    const hive_node_h node = hivex_node_get_child(hive, hivex_root(hive), "Caf\xC3\xA9");
    hive_type type{};
    std::size_t length = 0;
    char* raw = hivex_value_value(hive, hivex_node_get_value(hive, node, "V\xC3\xA9"), &type, &length);
    const Bytes stored(raw, raw + length);
    std::free(raw);
    hivex_close(hive);
    EXPECT_EQ(stored, row.stored);
    char name[16];
    std::uint32_t nameLength = sizeof name, enumerated = 0;
    ASSERT_EQ(installation->Registry().RegEnumValue(key, 0, name, &nameLength, &enumerated), 0);
    EXPECT_EQ(enumerated, row.type);
  }
}

TEST_F(HiveFiles, AnIndependentReaderReadsTheMadeHives) {
  const auto xml = [](const std::string& file) {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(("hivexml '" + file + "'").c_str(), "r"), ::pclose);
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) output += buffer;
    return output;
  };
  const std::string system = xml(paths_.system);
  for (const char* part : {"<hive>", "<node name=\"Select\">", "key=\"Current\" value=\"2\"",
                           "<node name=\"ControlSet002\">", "<node name=\"ControlSet001\">"}) {
    EXPECT_NE(system.find(part), std::string::npos) << part << " in\n" << system;
  }
  EXPECT_NE(xml(paths_.software).find("<node name=\"Café\">"), std::string::npos);
}

}  // namespace
}  // namespace zorvanel::hive
