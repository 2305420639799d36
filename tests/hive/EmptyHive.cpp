#include "tests/hive/EmptyHive.h"

#include <hivex.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
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

// Little-endian numbers of 4 bytes (or of `size`) at `at`.
void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size = 4) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}
void PutAll(std::string& bytes, std::size_t base, std::initializer_list<std::pair<std::size_t, std::uint32_t>> fields) {
  for (const auto& [at, value] : fields) Put(bytes, base + at, value);
}

void Checksum(std::string& hive) {
  std::uint32_t sum = 0;  // the XOR of the block's first 127 double words
  for (std::size_t at = 0; at < 0x1FC; at += 4) {
    for (int i = 0; i < 4; ++i) sum ^= static_cast<std::uint32_t>(static_cast<unsigned char>(hive[at + i])) << (8 * i);
  }
  Put(hive, 0x1FC, sum == 0xFFFFFFFF ? 0xFFFFFFFE : sum == 0 ? 1 : sum);
}

// The root key, and one security descriptor that every new key inherits:
// self-relative, owned by the Administrators group, with no DACL (full
// access); its list of descriptors is itself alone.
std::string Bin() {
  std::string bin(kPage, '\0');
  bin.replace(0, 4, "hbin");
  Put(bin, 0x08, kPage);
  Put(bin, kRootCell, static_cast<std::uint32_t>(-static_cast<std::int32_t>(kNkSize)));  // in use
  bin.replace(kRootCell + 4, 2, "nk");
  Put(bin, kRootCell + 6, 0x2C, 2);  // the hive's root, undeletable, with an ASCII name
  PutAll(bin, kRootCell, {{0x20, kNone}, {0x24, kNone}, {0x2C, kNone}, {0x34, kNone}, {0x30, kSkCell}});
  Put(bin, kRootCell + 0x4C, 8, 2);
  bin.replace(kRootCell + 0x50, 8, "ROOTNAME");
  Put(bin, kSkCell, static_cast<std::uint32_t>(-static_cast<std::int32_t>(kSkSize)));
  bin.replace(kSkCell + 4, 2, "sk");
  // Its list, its use by the root, its size, and the owner's and group's SID
  // at offset 20 of the descriptor.
  PutAll(bin, kSkCell, {{0x08, kSkCell}, {0x0C, kSkCell}, {0x10, 1}, {0x14, 36}, {0x1C, 20}, {0x20, 20}});
  bin[kSkCell + 0x18] = 1;                 // the descriptor's revision
  Put(bin, kSkCell + 0x1A, 0x8004, 2);     // self-relative, with a null DACL
  const unsigned char sid[16] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 2, 0, 0};
  bin.replace(kSkCell + 0x18 + 20, sizeof sid, reinterpret_cast<const char*>(sid), sizeof sid);
  Put(bin, kSkCell + kSkSize, kPage - (kSkCell + kSkSize));  // the rest is free
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
                    // Never in place: FUSE FAT cannot truncate a file that holds data.
                    !files::ReplaceByName(system.string(), [hive](const std::string& temporary) {
                      return hivex_commit(hive, temporary.c_str(), 0) == 0
                                 ? std::nullopt
                                 : std::optional(files::Failure{"committing", errno});
                    });
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
  PutAll(hive, 0, {{0x04, primary}, {0x08, secondary}});
  Checksum(hive);
  return hive;
}

void RemoveSelect(const fs::path& system) {
  hive_h* hive = hivex_open(system.c_str(), HIVEX_OPEN_WRITE);
  hivex_node_delete_child(hive, hivex_node_get_child(hive, hivex_root(hive), "Select"));
  hivex_commit(hive, nullptr, 0);
  hivex_close(hive);
}

// The base block: the sequence numbers equal (the hive is clean), version
// 1.5, a memory image, the root cell and the bins' size.
std::string EmptyHiveBytes() {
  std::string hive(kPage, '\0');
  hive.replace(0, 4, "regf");
  PutAll(hive, 0, {{0x04, 1}, {0x08, 1}, {0x14, 1}, {0x18, 5}, {0x20, 1}, {0x24, kRootCell}, {0x28, kPage}, {0x2C, 1}});
  Checksum(hive);
  return hive + Bin();
}

bool MakeInstallation(const store::Key& store, const fs::path& dir, int controlSet, const BaseHives& base) {
  const fs::path config = dir / "WINDOWS" / "system32" / "config";
  fs::create_directories(config);
  // Filling hives through the seam commits them at every write, so the hives
  // made for a store are kept and copied for its next installation.
  struct Made {
    store::Key store;
    int controlSet;
    BaseHives base;
    std::string hives[2];
  };
  static std::vector<Made> made;
  const char* names[] = {"system", "software"};
  for (const Made& earlier : made) {
    if (earlier.controlSet != controlSet || earlier.store != store || earlier.base != base) continue;
    for (int i = 0; i < 2; ++i) std::ofstream(config / names[i], std::ios::binary) << earlier.hives[i];
    return true;
  }
  for (int i = 0; i < 2; ++i) {
    const std::string& given = i == 0 ? base.system : base.software;
    std::ofstream(config / names[i], std::ios::binary) << (given.empty() ? EmptyHiveBytes() : given);
  }
  if (base.system.empty() && !SetSelect(config / "system", controlSet)) return false;
  if (store.subkeys.empty()) return true;  // a given hive as it is, even one that cannot be opened
  auto installation = Installation::Open({(config / "system").string(), (config / "software").string()});
  bool done = true;
  for (const auto& key : store.subkeys) done = done && Copy(installation->Registry(), key, key.name);
  done = done && installation->Registry().RegFlushKey(registry::HKEY_LOCAL_MACHINE) == registry::kSuccess;
  installation.reset();
  // Filling the hives kept copies of their empty state; the installation is
  // to look as if Zorvanel had never touched it.
  Made now{store, controlSet, base, {}};
  for (int i = 0; i < 2; ++i) {
    for (const char* suffix : {kOriginalSuffix, kBeforeSuffix}) fs::remove(config / (names[i] + std::string(suffix)));
    std::ifstream in(config / names[i], std::ios::binary);
    now.hives[i].assign(std::istreambuf_iterator<char>(in), {});
  }
  if (done) made.push_back(std::move(now));
  return done;
}

}  // namespace zorvanel::hive
