#include "tests/hive/EmptyHive.h"

#include <hivex.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/hive/Installation.h"

namespace zorvanel::hive {

namespace {

namespace fs = std::filesystem;
using registry::HKEY_LOCAL_MACHINE;

constexpr std::size_t kPage = 4096;
constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::uint32_t kRootCell = 0x20;  // offsets count from the first bin
constexpr std::uint32_t kNkSize = 0x50 + 8;  // with the name "ROOTNAME", a multiple of 8
constexpr std::uint32_t kSkCell = kRootCell + kNkSize;
constexpr std::uint32_t kSkSize = 0x40;

void Put16(std::string& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  Put16(bytes, at, value & 0xFFFF);
  Put16(bytes, at + 2, value >> 16);
}
std::uint32_t Get32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void Checksum(std::string& hive) {
  std::uint32_t sum = 0;  // the XOR of the block's first 127 double words
  for (std::size_t at = 0; at < 0x1FC; at += 4) sum ^= Get32(hive, at);
  Put32(hive, 0x1FC, sum == 0xFFFFFFFF ? 0xFFFFFFFE : sum == 0 ? 1 : sum);
}

void BaseBlock(std::string& hive) {
  hive.replace(0, 4, "regf");
  Put32(hive, 0x04, 1);  // the sequence numbers: equal, the hive is clean
  Put32(hive, 0x08, 1);
  Put32(hive, 0x14, 1);  // version 1.5
  Put32(hive, 0x18, 5);
  Put32(hive, 0x20, 1);  // a memory image
  Put32(hive, 0x24, kRootCell);
  Put32(hive, 0x28, kPage);  // the bins' size
  Put32(hive, 0x2C, 1);
  Checksum(hive);
}

void RootKey(std::string& bin) {
  const std::size_t at = kRootCell;
  Put32(bin, at, static_cast<std::uint32_t>(-static_cast<std::int32_t>(kNkSize)));  // in use
  bin.replace(at + 4, 2, "nk");
  Put16(bin, at + 6, 0x2C);  // the hive's root, undeletable, with an ASCII name
  for (std::size_t field : {0x20, 0x24, 0x2C, 0x34}) Put32(bin, at + field, kNone);  // no lists, no class
  Put32(bin, at + 0x30, kSkCell);
  Put16(bin, at + 0x4C, 8);
  bin.replace(at + 0x50, 8, "ROOTNAME");
}

// One security descriptor, self-relative, owned by the Administrators group,
// with no DACL (full access); its list of descriptors is itself alone.
void SecurityCell(std::string& bin) {
  const std::size_t at = kSkCell;
  Put32(bin, at, static_cast<std::uint32_t>(-static_cast<std::int32_t>(kSkSize)));
  bin.replace(at + 4, 2, "sk");
  Put32(bin, at + 0x08, kSkCell);
  Put32(bin, at + 0x0C, kSkCell);
  Put32(bin, at + 0x10, 1);  // used by the root
  Put32(bin, at + 0x14, 36);
  const std::size_t sd = at + 0x18;
  bin[sd] = 1;                          // revision
  Put16(bin, sd + 2, 0x8004);           // self-relative, DACL present (a null DACL)
  Put32(bin, sd + 4, 20);               // owner
  Put32(bin, sd + 8, 20);               // group
  const unsigned char sid[16] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 2, 0, 0};
  bin.replace(sd + 20, sizeof sid, reinterpret_cast<const char*>(sid), sizeof sid);
}

std::string Bin() {
  std::string bin(kPage, '\0');
  bin.replace(0, 4, "hbin");
  Put32(bin, 0x08, kPage);
  RootKey(bin);
  SecurityCell(bin);
  Put32(bin, kSkCell + kSkSize, kPage - (kSkCell + kSkSize));  // the rest is free
  return bin;
}

bool SetSelect(const fs::path& system, int controlSet) {
  hive_h* hive = hivex_open(system.c_str(), HIVEX_OPEN_WRITE);
  if (!hive) return false;
  const hive_node_h root = hivex_root(hive);
  const hive_node_h select = hivex_node_add_child(hive, root, "Select");
  std::uint32_t current = static_cast<std::uint32_t>(controlSet);
  char data[4];
  for (int i = 0; i < 4; ++i) data[i] = static_cast<char>(current >> (8 * i));
  hive_set_value value{const_cast<char*>("Current"), hive_t_REG_DWORD, 4, data};
  char unused[16];
  std::snprintf(unused, sizeof unused, "ControlSet%03d", controlSet == 1 ? 2 : 1);
  char used[16];
  std::snprintf(used, sizeof used, "ControlSet%03d", controlSet);
  const bool done = select && hivex_node_set_value(hive, select, &value, 0) == 0 &&
                    hivex_node_add_child(hive, root, used) &&
                    hivex_node_add_child(hive, hivex_node_add_child(hive, root, unused), "Decoy") &&
                    hivex_commit(hive, nullptr, 0) == 0;
  hivex_close(hive);
  return done;
}

bool Copy(registry::RegistryApi& api, const store::Key& key, const std::string& path) {
  registry::KeyHandle handle = 0;
  if (api.RegCreateKeyEx(HKEY_LOCAL_MACHINE, path, registry::KEY_SET_VALUE, &handle) != 0) {
    return false;
  }
  bool done = true;
  for (const auto& value : key.values) {
    // The registry looks at the byte after a text's data and keeps a NUL it
    // finds there; a byte that is not NUL keeps the store's bytes exact.
    std::vector<std::uint8_t> data = value.data;
    data.push_back(0xFF);
    done = done && api.RegSetValueEx(handle, value.name, value.type, data.data(),
                                     static_cast<std::uint32_t>(value.data.size())) == 0;
  }
  api.RegCloseKey(handle);
  for (const auto& subkey : key.subkeys) {
    done = done && Copy(api, subkey, path.empty() ? subkey.name : path + "\\" + subkey.name);
  }
  return done;
}

}  // namespace

std::string WithSequenceNumbers(std::string hive, std::uint32_t primary, std::uint32_t secondary) {
  Put32(hive, 0x04, primary);
  Put32(hive, 0x08, secondary);
  Checksum(hive);
  return hive;
}

void RemoveSelect(const fs::path& system) {
  hive_h* hive = hivex_open(system.c_str(), HIVEX_OPEN_WRITE);
  hivex_node_delete_child(hive, hivex_node_get_child(hive, hivex_root(hive), "Select"));
  hivex_commit(hive, nullptr, 0);
  hivex_close(hive);
}

std::string EmptyHiveBytes() {
  std::string hive(kPage, '\0');
  BaseBlock(hive);
  return hive + Bin();
}

bool MakeInstallation(const store::Key& store, const fs::path& dir, int controlSet) {
  const fs::path config = dir / "WINDOWS" / "system32" / "config";
  fs::create_directories(config);
  for (const char* name : {"system", "software"}) {
    std::ofstream(config / name, std::ios::binary) << EmptyHiveBytes();
  }
  if (!SetSelect(config / "system", controlSet)) return false;
  auto installation = Installation::Open({(config / "system").string(), (config / "software").string()});
  bool done = true;
  for (const auto& key : store.subkeys) done = done && Copy(installation->Registry(), key, key.name);
  installation.reset();
  // Filling the hives kept their empty state as the originals; the
  // installation is to look as if Zorvanel had never touched it.
  for (const char* name : {"system", "software"}) {
    fs::remove(config / (std::string(name) + kOriginalSuffix));
  }
  return done;
}

}  // namespace zorvanel::hive
