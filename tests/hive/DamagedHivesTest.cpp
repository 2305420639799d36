// Hives damaged where libhivex has not yet looked, and formats the program
// must not write: each opens read-only (or is refused) with a message that
// names the damage, the other hive opens read-only too, and no file in the
// folder changes.

#include <gtest/gtest.h>
#include <hivex.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/hive/Installation.h"
#include "tests/hive/EmptyHive.h"
#include "tests/robust/TempDirectory.h"

namespace zorvanel::hive {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size = 4) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

std::uint32_t Get(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Where the software hive's cells lie in its file: each key's and the
// value's data (after the cell's size).
struct Cells {
  std::size_t cafe, a, b, value;
};

Cells Find(const fs::path& software) {
  hive_h* hive = hivex_open(software.c_str(), 0);
  const hive_node_h cafe = hivex_node_get_child(hive, hivex_root(hive), "Caf\xC3\xA9");
  const hive_node_h a = hivex_node_get_child(hive, cafe, "A");
  const Cells cells{cafe + 4, a + 4, hivex_node_get_child(hive, a, "B") + 4,
                    hivex_node_get_value(hive, a, "v") + 4};
  hivex_close(hive);
  return cells;
}

TEST(DamagedHives, OpenReadOnlyNamingTheKeyAndTheDamageAndChangeNothing) {
  const robust::TempDirectory dir("damaged");
  const store::Key store{"HKEY_LOCAL_MACHINE", {}, {{"SOFTWARE", {}, {{"Caf\xE9", {}, {{"A", {{"v", 1, {'x', 0}}}, {{"B", {}, {}}}}}}}}}};
  ASSERT_TRUE(MakeInstallation(store, dir.Path(), 1));
  const HivePaths paths = FindInstallation(dir.Path().string());
  const std::string made = Read(paths.software);
  const Cells at = Find(paths.software);
  constexpr std::uint32_t kOutside = 0x7FFFFFF8;
  const struct {
    const char* name;
    std::function<void(std::string&)> spoil;
    const char* message;  // a part of it
    bool refused = false;
  } rows[] = {
      {"security cell outside the hive", [&](std::string& h) { Put(h, at.b + 44, kOutside); },
       "damaged at the key Café\\A\\B: its security cell is outside the hive"},
      {"a count that lies", [&](std::string& h) { Put(h, at.a + 20, 2); },
       "at the key Café\\A: its subkey lists hold 1 keys, but it counts 2"},
      {"keys that loop", [&](std::string& h) { Put(h, at.b + 20, 1), Put(h, at.b + 28, Get(h, at.a + 28)); },
       "at the key Café\\A\\B: one of its subkeys is reached twice"},
      {"a subkey list that is none", [&](std::string& h) { h.replace(4100 + Get(h, at.a + 28), 2, "zz"); },
       "at the key Café\\A: its subkey list is not a subkey list"},
      {"a value list too short", [&](std::string& h) { Put(h, at.a + 36, 50); },
       "at the key Café\\A: its value list is outside the hive or too short for its 50 values"},
      {"a value longer than its cell", [&](std::string& h) { Put(h, at.value + 4, 4096); },
       "at the key Café\\A: its value \"v\" is longer than its cell"},
      {"a security count below its use", [&](std::string& h) { Put(h, 4100 + Get(h, at.a + 44) + 12, 1); },
       "at its root key: its security cell counts 1 keys, but 4 keys use it"},
      {"a format from the future", [&](std::string& h) { Put(h, 24, 9); },
       "is in the registry format 1.9, newer than any that Zorvanel knows"},
      {"Windows NT 3.5's format", [&](std::string& h) { Put(h, 24, 2); },
       "is in the registry format 1.2, whose subkey lists Zorvanel cannot write"},
      {"Windows NT 3.1's format", [&](std::string& h) { Put(h, 24, 1); },
       "it is in the registry format 1.1, which Zorvanel cannot read", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string spoilt = made;
    row.spoil(spoilt);
    std::ofstream(paths.software, std::ios::binary) << WithSequenceNumbers(spoilt, 3, 3);
    const std::string before = Read(paths.software);
    if (row.refused) {
      try {
        Installation::Open(paths);
        ADD_FAILURE() << "opened";
      } catch (const HiveFileError& error) {
        EXPECT_NE(std::string(error.what()).find(row.message), std::string::npos) << error.what();
      }
      continue;
    }
    auto installation = Installation::Open(paths);
    HiveRegistry& registry = installation->Registry();
    const auto reasons = registry.ReadOnlyReasons();
    ASSERT_EQ(reasons.size(), 2u);
    EXPECT_NE(reasons[0].find("system is opened read-only too"), std::string::npos) << reasons[0];
    EXPECT_NE(reasons[1].find(row.message), std::string::npos) << reasons[1];
    registry::KeyHandle key = 0;
    EXPECT_EQ(registry.RegCreateKeyEx(registry::HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\New",
                                      registry::KEY_ALL_ACCESS, &key), 5);
    installation.reset();
    EXPECT_EQ(Read(paths.software), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(paths.software).parent_path()), {}), 2);
  }
}

// dump reads the whole tree: keys that loop get a refusal, not a deep walk.
TEST(DamagedHives, ReadingKeysThatLoopIsRefused) {
  const robust::TempDirectory dir("loop");
  const store::Key store{"HKEY_LOCAL_MACHINE", {}, {{"SOFTWARE", {}, {{"Caf\xE9", {}, {{"A", {{"v", 1, {'x', 0}}}, {{"B", {}, {}}}}}}}}}};
  ASSERT_TRUE(MakeInstallation(store, dir.Path(), 1));
  const HivePaths paths = FindInstallation(dir.Path().string());
  std::string hive = Read(paths.software);
  const Cells at = Find(paths.software);
  Put(hive, at.b + 20, 1), Put(hive, at.b + 28, Get(hive, at.a + 28));
  std::ofstream(paths.software, std::ios::binary) << hive;
  auto installation = Installation::Open(paths);
  try {
    installation->Registry().Snapshot();
    ADD_FAILURE() << "read";
  } catch (const HiveFileError& error) {
    EXPECT_NE(std::string(error.what()).find("loop or nest deeper than Windows allows, at the key Caf"), std::string::npos)
        << error.what();
  }
}

}  // namespace
}  // namespace zorvanel::hive
