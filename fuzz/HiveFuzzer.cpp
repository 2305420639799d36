// libFuzzer target for a Windows installation's hives: the input is the
// system hive, opened beside an empty software hive, checked whole, read
// whole (as dump does) and given a short session of changes. Any input must
// open or be refused with HiveFileError; anything else (a crash, a sanitizer
// report, another exception, unbounded memory) is a finding. So is a hive
// file written when it had failed the whole check, or written damaged, or
// written with "lh" lists into a format that predates them.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/hive/HiveCheck.h"
#include "platform/hive/Installation.h"
#include "tests/hive/EmptyHive.h"

namespace {

namespace fs = std::filesystem;
using namespace zorvanel;

[[noreturn]] void Finding(const std::string& what) {
  std::fprintf(stderr, "hive_fuzzer: %s\n", what.c_str());
  std::abort();
}

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const fs::path& Folder() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "hive-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) Finding("no temporary folder");
    return fs::path(pattern);
  }();
  return folder;
}

// What a program session does to a registry: read it whole, then change
// the current control set and the software hive, then take a change back,
// committing at flush points as the program does.
void Session(hive::HiveRegistry& registry) {
  try {
    registry.Snapshot();
  } catch (const hive::HiveFileError&) {
    // keys that loop or nest too deep: refused, as dump refuses them
  }
  registry::KeyHandle video = 0, product = 0;
  const std::uint8_t table[] = "{*}S 640x480=1FFF;";
  if (registry.RegCreateKeyEx(registry::HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Video\\Z",
                              registry::KEY_ALL_ACCESS, &video) == 0) {
    registry.RegSetValueEx(video, "NV_Modes", 1, table, sizeof table);
    registry.RegFlushKey(registry::HKEY_LOCAL_MACHINE);
    char name[256];
    std::uint32_t length = sizeof name, type = 0;
    for (std::uint32_t i = 0; i < 4 && registry.RegEnumValue(video, i, name, &length, &type) == 0; ++i) {
      length = sizeof name;
    }
    registry.RegDeleteValue(video, "NV_Modes");
    registry.RegCloseKey(video);
  }
  if (registry.RegCreateKeyEx(registry::HKEY_LOCAL_MACHINE, "SOFTWARE\\Dravenlock\\Zorvanel",
                              registry::KEY_ALL_ACCESS, &product) == 0) {
    registry.RegSetValueEx(product, "Version", 1, table, sizeof table);
    registry.RegCloseKey(product);
  }
  registry.RegFlushKey(registry::HKEY_LOCAL_MACHINE);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const fs::path system = Folder() / "system", software = Folder() / "software";
  fs::remove_all(Folder());
  fs::create_directories(Folder());
  std::ofstream(system, std::ios::binary) << input;
  std::ofstream(software, std::ios::binary) << hive::EmptyHiveBytes();
  bool writable = false;
  try {
    auto installation = hive::Installation::Open({system.string(), software.string()});
    writable = installation->Registry().ReadOnlyReasons().empty();
    Session(installation->Registry());
  } catch (const hive::HiveFileError&) {
    // refused with a message: the expected outcome for most inputs
  }
  const std::string after = Read(system);
  if (after == input) return 0;
  if (!writable) Finding("a hive that opened read-only was written");
  if (hive::CheckWholeHive(input)) Finding("a hive that failed the whole check was written");
  std::vector<std::uint32_t> hashLeaves;
  if (const auto damage = hive::CheckWholeHive(after, &hashLeaves)) {
    Finding("the written hive is damaged: " + damage->keyPath + ": " + damage->problem);
  }
  if (input.size() > 24 && static_cast<unsigned char>(input[24]) < 5 && !hashLeaves.empty()) {
    Finding("\"lh\" lists were written into a format that predates them");
  }
  return 0;
}
