#include "platform/hive/HiveRegistry.h"

#include <hivex.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/hive/HiveNames.h"
#include "platform/hive/HivexCalls.h"
#include "platform/registry/AnsiText.h"

namespace zorvanel::hive {

using namespace registry;

namespace {

std::string CurrentControlSet(const HiveFile& system) {
  hive_h* hive = system.Handle();
  const hive_node_h select = Child(hive, hivex_root(hive), "Select");
  const hive_value_h current = select ? hivex_node_get_value(hive, select, "Current") : 0;
  std::uint32_t type = 0;
  std::size_t length = 0;
  if (!current || hivex_value_type(hive, current, TypeField(&type), &length) != 0 ||
      type != static_cast<std::uint32_t>(hive_t_REG_DWORD) || length != 4) {
    throw HiveFileError("The registry file " + system.Path() +
                        " is not a system hive Zorvanel can use: it has no current control set "
                        "(the number \"Current\" in the key Select).");
  }
  char name[32];
  std::snprintf(name, sizeof name, "ControlSet%03u",
                static_cast<unsigned>(hivex_value_dword(hive, current)));
  if (!Child(hive, hivex_root(hive), name)) {
    throw HiveFileError("The registry file " + system.Path() + " names " + name +
                        " as its current control set, but has no such key.");
  }
  return name;
}

// Whether the value exists with this very type and stored data.
bool HoldsAlready(hive_h* hive, hive_value_h value, std::uint32_t type,
                  const std::vector<std::uint8_t>& bytes) {
  if (!value) return false;
  std::uint32_t stored = 0;
  std::size_t length = 0;
  Owned<char> raw(hivex_value_value(hive, value, TypeField(&stored), &length));
  return raw && stored == type && length == bytes.size() &&
         std::equal(bytes.begin(), bytes.end(), reinterpret_cast<const std::uint8_t*>(raw.get()));
}

}  // namespace

HiveRegistry::HiveRegistry(std::unique_ptr<HiveFile> system, std::unique_ptr<HiveFile> software)
    : system_(std::move(system)),
      software_(std::move(software)),
      currentControlSet_(CurrentControlSet(*system_)) {}

HiveRegistry::~HiveRegistry() { RegFlushKey(HKEY_LOCAL_MACHINE); }

std::vector<std::string> HiveRegistry::ReadOnlyReasons() const {
  std::vector<std::string> reasons;
  for (const HiveFile* hive : {system_.get(), software_.get()}) {
    if (hive->ReadOnly()) reasons.push_back(hive->ReadOnlyReason());
  }
  return reasons;
}

HiveRegistry::HivePath HiveRegistry::Map(const Path& path) const {
  if (path.empty()) return {};
  HiveFile* hive = store::NamesEqual(path[0], "SYSTEM")     ? system_.get()
                   : store::NamesEqual(path[0], "SOFTWARE") ? software_.get()
                                                            : nullptr;
  if (!hive) return {};
  HivePath place{hive, Path(path.begin() + 1, path.end())};
  if (hive == system_.get() && !place.below.empty() &&
      store::NamesEqual(place.below[0], "CurrentControlSet")) {
    place.below[0] = currentControlSet_;
  }
  return place;
}

std::size_t HiveRegistry::Find(const HivePath& place) const {
  if (!place.hive) return 0;
  hive_h* hive = place.hive->Handle();
  hive_node_h node = hivex_root(hive);
  for (const auto& part : place.below) {
    if (!node) break;
    node = Child(hive, node, part);
  }
  return node;
}

bool HiveRegistry::KeyExists(const Path& path) const { return path.empty() || Find(Map(path)); }

// HKEY_LOCAL_MACHINE itself and the hives' roots cannot be changed from here.
HiveFile* HiveRegistry::WritableHive(const HivePath& place, long* code) const {
  if (!place.hive || place.hive->ReadOnly()) {
    *code = kAccessDenied;
    return nullptr;
  }
  return place.hive;
}

long HiveRegistry::Finish(HiveFile& hive, bool changed) {
  if (!changed) return kAccessDenied;
  hive.MarkChanged();
  return kSuccess;
}

long HiveRegistry::RegOpenKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                                KeyHandle* key) {
  return handles_.OpenExisting(root, path, access, *this, key);
}

long HiveRegistry::RegCreateKeyEx(KeyHandle root, const std::string& path, std::uint32_t access,
                                  KeyHandle* key) {
  Path full;
  if (long code = handles_.FullPath(root, path, *this, &full); code != kSuccess) return code;
  if (!KeyExists(full)) {
    const HivePath place = Map(full);
    long code = kSuccess;
    HiveFile* hive = WritableHive(place, &code);
    if (!hive) return code;
    hive_h* handle = hive->Handle();
    hive_node_h node = hivex_root(handle);
    for (const auto& part : place.below) {
      if (!node) break;
      const hive_node_h child = Child(handle, node, part);
      node = child ? child : hivex_node_add_child(handle, node, ToHiveName(part).c_str());
    }
    if (code = Finish(*hive, node != 0); code != kSuccess) return code;
  }
  *key = handles_.Add(std::move(full), access);
  return kSuccess;
}

long HiveRegistry::RegQueryValueEx(KeyHandle key, const std::string& name, std::uint32_t* type,
                                   std::uint8_t* data, std::uint32_t* size) {
  if (data && !size) return kInvalidParameter;
  long code = kSuccess;
  const auto* open = handles_.Resolve(key, *this, &code);
  if (!open) return code;
  if (!(open->access & KEY_QUERY_VALUE)) return kAccessDenied;
  const HivePath place = Map(open->path);
  if (!place.hive) return kFileNotFound;  // HKEY_LOCAL_MACHINE holds no values
  hive_h* hive = place.hive->Handle();
  const hive_value_h value = hivex_node_get_value(hive, Find(place), ToHiveName(name).c_str());
  if (!value) {
    if (!data && size) *size = 0;
    return kFileNotFound;
  }
  std::uint32_t storedType = 0;
  std::vector<std::uint8_t> bytes;
  if (!ReadValue(hive, value, &storedType, &bytes)) return kBadDb;
  const auto needed = static_cast<std::uint32_t>(bytes.size());
  if (type) *type = storedType;
  if (data) {
    if (!size) return kInvalidHandle;
    if (*size < needed) {
      *size = needed;
      return kMoreData;
    }
    std::copy(bytes.begin(), bytes.end(), data);
    // NT ends a text that was stored without its terminator with one, when
    // the buffer has room for it; the size returned does not count it.
    if (IsTextType(storedType) && needed > 0 && needed < *size && bytes.back() != 0) {
      data[needed] = 0;
    }
  }
  if (size) *size = needed;
  return kSuccess;
}

long HiveRegistry::RegSetValueEx(KeyHandle key, const std::string& name, std::uint32_t type,
                                 const std::uint8_t* data, std::uint32_t size) {
  long code = kSuccess;
  const auto* open = handles_.Resolve(key, *this, &code);
  if (!open) return code;
  if (!(open->access & KEY_SET_VALUE)) return kAccessDenied;
  if (name.size() > kMaxValueNameLength) return kInvalidParameter;
  const HivePath place = Map(open->path);
  HiveFile* hive = WritableHive(place, &code);
  if (!hive) return code;
  hive_h* handle = hive->Handle();
  const hive_node_h node = Find(place);
  // libhivex renames a value to the spelling it is given; the registry keeps
  // the spelling the value was made with.
  std::string stored = ToHiveName(name);
  if (const hive_value_h existing = hivex_node_get_value(handle, node, stored.c_str())) {
    Owned<char> spelling(hivex_value_key(handle, existing));
    if (spelling) stored = spelling.get();
  }
  std::vector<std::uint8_t> bytes(data, data + (data ? StoredSize(type, data, size) : 0));
  if (IsTextType(type)) bytes = WidenAnsi(bytes.data(), bytes.size());
  if (HoldsAlready(handle, hivex_node_get_value(handle, node, stored.c_str()), type, bytes)) {
    return kSuccess;
  }
  hive_set_value value = SetValue(stored.data(), type, bytes.size(), reinterpret_cast<char*>(bytes.data()));
  return Finish(*hive, hivex_node_set_value(handle, node, &value, 0) == 0);
}

long HiveRegistry::RegEnumValue(KeyHandle key, std::uint32_t index, char* name,
                                std::uint32_t* nameLength, std::uint32_t* type) {
  if (!name || !nameLength) return kInvalidParameter;
  long code = kSuccess;
  const auto* open = handles_.Resolve(key, *this, &code);
  if (!open) return code;
  if (!(open->access & KEY_QUERY_VALUE)) return kAccessDenied;
  const HivePath place = Map(open->path);
  if (!place.hive) return kNoMoreItems;
  hive_h* hive = place.hive->Handle();
  const hive_node_h node = Find(place);
  if (index >= hivex_node_nr_values(hive, node)) return kNoMoreItems;
  Owned<hive_value_h> values(hivex_node_values(hive, node));
  if (!values) return kBadDb;
  const hive_value_h value = values.get()[index];
  std::uint32_t stored = 0;
  std::size_t length = 0;
  if (hivex_value_type(hive, value, TypeField(&stored), &length) != 0) return kBadDb;
  if (type) *type = stored;
  const std::string valueName = ValueName(hive, value);
  if (valueName.size() + 1 > *nameLength) return kMoreData;
  std::memcpy(name, valueName.c_str(), valueName.size() + 1);
  *nameLength = static_cast<std::uint32_t>(valueName.size());
  return kSuccess;
}

// HKEY_LOCAL_MACHINE holds the two hives; the system hive's root also holds
// CurrentControlSet, as a link does on a running Windows.
std::vector<std::string> HiveRegistry::SubkeyNames(const HivePath& place) const {
  if (!place.hive) return {"SOFTWARE", "SYSTEM"};
  std::vector<std::string> names;
  hive_h* hive = place.hive->Handle();
  Owned<hive_node_h> children(hivex_node_children(hive, Find(place)));
  for (std::size_t i = 0; children && children.get()[i]; ++i) {
    names.push_back(NodeName(hive, children.get()[i]));
  }
  if (place.hive == system_.get() && place.below.empty()) names.push_back("CurrentControlSet");
  std::sort(names.begin(), names.end(), store::NameBefore);
  return names;
}

long HiveRegistry::RegEnumKeyEx(KeyHandle key, std::uint32_t index, char* name,
                                std::uint32_t* nameLength) {
  long code = kSuccess;
  const auto* open = handles_.Resolve(key, *this, &code);
  if (!open) return code;
  if (!(open->access & KEY_ENUMERATE_SUB_KEYS)) return kAccessDenied;
  const std::vector<std::string> names = SubkeyNames(Map(open->path));
  if (index >= names.size()) return kNoMoreItems;
  const std::string& subkey = names[index];
  if (subkey.size() + 1 > *nameLength) return kMoreData;
  std::memcpy(name, subkey.c_str(), subkey.size() + 1);
  *nameLength = static_cast<std::uint32_t>(subkey.size());
  return kSuccess;
}

long HiveRegistry::RegDeleteKey(KeyHandle root, const std::string& path) {
  Path full;
  if (long code = handles_.FullPath(root, path, *this, &full); code != kSuccess) return code;
  const HivePath place = Map(full);
  if (full.empty() || (place.hive && place.below.empty())) return kAccessDenied;
  const hive_node_h node = Find(place);
  if (!node) return kFileNotFound;
  long code = kSuccess;
  HiveFile* hive = WritableHive(place, &code);
  if (!hive) return code;
  if (hivex_node_nr_children(hive->Handle(), node) > 0) return kAccessDenied;
  code = Finish(*hive, hivex_node_delete_child(hive->Handle(), node) == 0);
  if (code == kSuccess) handles_.Orphan(full);
  return code;
}

// libhivex sets a key's values all at once: the others are written again as
// they are, in their order.
long HiveRegistry::RegDeleteValue(KeyHandle key, const std::string& name) {
  long code = kSuccess;
  const auto* open = handles_.Resolve(key, *this, &code);
  if (!open) return code;
  if (!(open->access & KEY_SET_VALUE)) return kAccessDenied;
  const HivePath place = Map(open->path);
  if (!place.hive) return kFileNotFound;
  hive_h* handle = place.hive->Handle();
  const hive_node_h node = Find(place);
  if (!hivex_node_get_value(handle, node, ToHiveName(name).c_str())) return kFileNotFound;
  HiveFile* hive = WritableHive(place, &code);
  if (!hive) return code;
  Owned<hive_value_h> values(hivex_node_values(handle, node));
  if (!values) return kBadDb;
  std::vector<Owned<char>> owned;
  std::vector<hive_set_value> kept;
  for (std::size_t i = 0; values.get()[i]; ++i) {
    Owned<char> valueName(hivex_value_key(handle, values.get()[i]));
    if (!valueName) return kBadDb;
    if (store::NamesEqual(FromHiveName(valueName.get()), name)) continue;
    std::uint32_t type = 0;
    std::size_t length = 0;
    Owned<char> data(hivex_value_value(handle, values.get()[i], TypeField(&type), &length));
    if (!data) return kBadDb;
    kept.push_back(SetValue(valueName.get(), type, length, data.get()));
    owned.push_back(std::move(valueName));
    owned.push_back(std::move(data));
  }
  return Finish(*hive, hivex_node_set_values(handle, node, kept.size(), kept.data(), 0) == 0);
}

// The software hive first: it holds the safety copy, which must be on disk
// before the mode values in the system hive are. A failed commit leaves
// both hives as the last flush left them, in memory as on disk.
long HiveRegistry::RegFlushKey(KeyHandle key) {
  long code = kSuccess;
  if (!handles_.Resolve(key, *this, &code)) return code;
  if (!software_->Commit()) {
    system_->Discard();
    return kAccessDenied;
  }
  return system_->Commit() ? kSuccess : kAccessDenied;
}

void HiveRegistry::DropUncommitted() {
  software_->Discard();
  system_->Discard();
}

long HiveRegistry::RegCloseKey(KeyHandle key) {
  return handles_.Close(key);
}

}  // namespace zorvanel::hive
