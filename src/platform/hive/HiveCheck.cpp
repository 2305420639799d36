#include "platform/hive/HiveCheck.h"

#include <unordered_map>

#include "platform/hive/RegfCells.h"
#include "platform/hive/RegfKeys.h"

namespace zorvanel::hive {

using namespace regf;

namespace {

constexpr std::uint32_t kDataInline = 0x80000000;  // up to 4 bytes, held in the offset field
constexpr std::size_t kBigDataMinor = 4;           // the first format with "db" cells
constexpr std::size_t kSegmentSize = 16344;        // the most data one "db" segment holds
constexpr std::size_t kSkReferences = 12;
constexpr std::size_t kSkNext = 4;
constexpr std::size_t kSkPrevious = 8;
constexpr std::size_t kSkDescriptorSize = 16;
constexpr std::size_t kSkDescriptor = 20;

struct Pending {
  std::uint32_t cell;
  std::int32_t parent;  // the parent's record, -1 for the root
  std::size_t depth;
};

// A key reached, kept to name the path of a later damage.
struct Record {
  std::uint32_t cell;
  std::int32_t parent;
};

class Checker {
 public:
  Checker(std::string_view hive, const Cells& cells, std::vector<std::uint32_t>* hashLeaves)
      : cells_(cells),
        minor_(Le32(hive, kMinorVersion)),
        reached_(cells.Slots()),
        hashLeaves_(hashLeaves) {}

  std::optional<HiveDamage> Run(std::uint32_t root);

 private:
  // Each returns the problem found, or an empty text.
  std::string CheckKey(std::string_view key, std::size_t record);
  std::string CheckSecurity(std::uint32_t cell, std::size_t record);
  std::string CheckValues(std::string_view key);
  std::string CheckValue(std::string_view value);
  std::string CheckData(std::uint32_t cell, std::uint32_t size);
  std::string Subkeys(std::string_view key, std::vector<std::uint32_t>& subkeys);
  std::string Leaf(std::string_view list, std::vector<std::uint32_t>& subkeys);
  std::string PathOf(std::int32_t record) const;
  HiveDamage At(std::int32_t record, std::string problem) const { return {PathOf(record), std::move(problem)}; }

  const Cells& cells_;
  std::uint32_t minor_;
  std::vector<bool> reached_;  // keys, by Cells::Slot
  std::vector<Record> records_;
  struct SecurityUse {
    std::uint32_t keys = 0;
    std::size_t firstRecord = 0;
  };
  std::unordered_map<std::uint32_t, SecurityUse> security_;
  std::vector<std::uint32_t>* hashLeaves_;
};

std::optional<HiveDamage> Checker::Run(std::uint32_t root) {
  std::vector<Pending> pending{{root, -1, 0}};
  std::vector<std::uint32_t> subkeys;
  while (!pending.empty()) {
    const Pending next = pending.back();
    pending.pop_back();
    const auto key = cells_.Data(next.cell);
    if (!key || !IsKey(*key)) {
      return At(next.parent, next.parent < 0 ? "its root key is outside the hive or not a key"
                                             : "one of its subkeys is outside the hive or not a key");
    }
    if (reached_[Cells::Slot(next.cell)]) {
      return At(next.parent, "one of its subkeys is reached twice: the keys form a loop or share a subkey");
    }
    reached_[Cells::Slot(next.cell)] = true;
    records_.push_back({next.cell, next.parent});
    const auto record = static_cast<std::int32_t>(records_.size() - 1);
    if (next.depth > kMaxKeyDepth) {
      return At(record, "it lies deeper than the " + std::to_string(kMaxKeyDepth) + " levels Windows allows");
    }
    subkeys.clear();
    std::string problem = CheckKey(*key, record);
    if (problem.empty()) problem = Subkeys(*key, subkeys);
    if (!problem.empty()) return At(record, problem);
    for (auto it = subkeys.rbegin(); it != subkeys.rend(); ++it) pending.push_back({*it, record, next.depth + 1});
  }
  for (const auto& [cell, use] : security_) {
    const std::uint32_t counted = Le32(*cells_.Data(cell), kSkReferences);
    if (counted < use.keys) {
      return At(static_cast<std::int32_t>(use.firstRecord),
                "its security cell counts " + std::to_string(counted) + " keys, but " +
                    std::to_string(use.keys) + " keys use it");
    }
  }
  return std::nullopt;
}

std::string Checker::CheckKey(std::string_view key, std::size_t record) {
  if (std::string problem = CheckSecurity(Le32(key, kNkSecurity), record); !problem.empty()) return problem;
  return CheckValues(key);
}

bool IsSecurity(const std::optional<std::string_view>& cell) {
  return cell && cell->size() >= kSkDescriptor && cell->starts_with("sk") &&
         Le32(*cell, kSkDescriptorSize) <= cell->size() - kSkDescriptor;
}

std::string Checker::CheckSecurity(std::uint32_t cell, std::size_t record) {
  auto [use, first] = security_.try_emplace(cell);
  if (first) {
    const auto sk = cells_.Data(cell);
    if (!IsSecurity(sk)) return "its security cell is outside the hive or not a security cell";
    if (!IsSecurity(cells_.Data(Le32(*sk, kSkNext))) || !IsSecurity(cells_.Data(Le32(*sk, kSkPrevious)))) {
      return "its security cell's list of security cells leads outside the hive";
    }
    use->second.firstRecord = record;
  }
  ++use->second.keys;
  return "";
}

std::string Checker::CheckValues(std::string_view key) {
  const std::uint32_t count = Le32(key, kNkValueCount);
  if (count == 0) return "";
  const auto list = cells_.Data(Le32(key, kNkValueList));
  if (!list || list->size() / 4 < count) {
    return "its value list is outside the hive or too short for its " + std::to_string(count) + " values";
  }
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto value = cells_.Data(Le32(*list, i * 4));
    if (!value || !IsValue(*value)) return "its value number " + std::to_string(i + 1) + " is outside the hive or not a value";
    if (std::string problem = CheckValue(*value); !problem.empty()) {
      return "its value \"" + ValueNameText(*value) + "\" " + problem;
    }
  }
  return "";
}

std::string Checker::CheckValue(std::string_view value) {
  const std::uint32_t size = Le32(value, kVkDataSize);
  if (size & kDataInline) return (size & ~kDataInline) <= 4 ? "" : "claims more inline data than fits";
  if (size == 0) return "";
  return CheckData(Le32(value, kVkDataOffset), size);
}

std::string Checker::CheckData(std::uint32_t cell, std::uint32_t size) {
  const auto data = cells_.Data(cell);
  if (!data) return "has its data outside the hive or in a free cell";
  if (minor_ >= kBigDataMinor && size > kSegmentSize && data->size() >= 8 && data->starts_with("db")) {
    const std::uint32_t segments = Le16(*data, kListCount);
    const auto list = cells_.Data(Le32(*data, kListElements));
    if (!list || list->size() / 4 < segments) return "has a list of data segments outside the hive";
    std::uint64_t held = 0;
    for (std::uint32_t i = 0; i < segments; ++i) {
      const auto segment = cells_.Data(Le32(*list, i * 4));
      if (!segment) return "has a data segment outside the hive or in a free cell";
      held += std::min<std::size_t>(segment->size(), kSegmentSize);
    }
    return held >= size ? "" : "is longer than its data segments";
  }
  return data->size() >= size ? "" : "is longer than its cell";
}

std::string Checker::Subkeys(std::string_view key, std::vector<std::uint32_t>& subkeys) {
  const std::uint32_t count = Le32(key, kNkSubkeyCount);
  if (count == 0) return "";
  const auto list = cells_.Data(Le32(key, kNkSubkeyList));
  if (!list) return "its subkey list is outside the hive or in a free cell";
  if (IsListOf(*list, "ri")) {
    if (list->size() < kListElements + ListCount(*list) * 4) return "its index list (ri) is shorter than its count";
    for (std::uint32_t i = 0; i < ListCount(*list); ++i) {
      const auto leaf = cells_.Data(Le32(*list, kListElements + i * 4));
      if (!leaf || IsListOf(*leaf, "ri")) return "its index list (ri) leads outside the hive or to another index list";
      if (std::string problem = Leaf(*leaf, subkeys); !problem.empty()) return problem;
      if (hashLeaves_ && IsListOf(*leaf, "lh")) hashLeaves_->push_back(Le32(*list, kListElements + i * 4));
    }
  } else {
    if (std::string problem = Leaf(*list, subkeys); !problem.empty()) return problem;
    if (hashLeaves_ && IsListOf(*list, "lh")) hashLeaves_->push_back(Le32(key, kNkSubkeyList));
  }
  if (subkeys.size() != count) {
    return "its subkey lists hold " + std::to_string(subkeys.size()) + " keys, but it counts " + std::to_string(count);
  }
  return "";
}

// The cells listed in an "li", "lf" or "lh" list, added to subkeys.
std::string Checker::Leaf(std::string_view list, std::vector<std::uint32_t>& subkeys) {
  const std::size_t width = IsListOf(list, "li") ? 4 : 8;
  if (width == 8 && !IsListOf(list, "lf") && !IsListOf(list, "lh")) return "its subkey list is not a subkey list";
  if (list.size() < kListElements + ListCount(list) * width) return "its subkey list is shorter than its count";
  for (std::uint32_t i = 0; i < ListCount(list); ++i) subkeys.push_back(Le32(list, kListElements + i * width));
  return "";
}

std::string Checker::PathOf(std::int32_t record) const {
  std::string path;
  for (; record > 0; record = records_[record].parent) {  // the root, record 0, is not named
    path = KeyNameText(*cells_.Data(records_[record].cell)) + (path.empty() ? "" : "\\") + path;
  }
  return path;
}

}  // namespace

std::optional<HiveDamage> CheckWholeHive(std::string_view hive, std::vector<std::uint32_t>* hashLeaves) {
  std::string why;
  const auto cells = Cells::Index(hive, &why);
  if (!cells) return HiveDamage{"", why};
  return Checker(hive, *cells, hashLeaves).Run(Le32(hive, kRootCell));
}

std::string DamagedHiveMessage(const std::string& path, const HiveDamage& damage) {
  const std::string where = damage.keyPath.empty() ? "at its root key" : "at the key " + damage.keyPath;
  return "The registry file " + path + " is damaged " + where + ": " + damage.problem +
         ". Zorvanel opens it read-only and leaves it as it was; Windows may mend it when it next "
         "starts.";
}

}  // namespace zorvanel::hive
