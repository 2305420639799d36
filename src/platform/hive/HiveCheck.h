#pragma once
// The whole check of a hive file, made before Zorvanel first writes it: a
// hive that is already damaged is never written back, since a repair that
// rewrites a damaged hive can turn what Windows' own check would mend into
// a hive that no longer loads.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvanel::hive {

// Windows nests keys at most this deep below a hive's root.
inline constexpr std::size_t kMaxKeyDepth = 512;

struct HiveDamage {
  std::string keyPath;  // below the root, names joined by backslashes; empty for the root
  std::string problem;  // what is wrong there, as a clause: "its value list is ..."
};

// Walks every key reached from the root of a whole hive file, without
// recursion: every key, value, subkey list and security cell must lie
// inside the hive, be in use and be of its kind; no key may be reached
// twice; counts must agree with the lists; and no key may lie deeper than
// kMaxKeyDepth. Returns the first damage found (keys in the order of their
// lists, depth first), or nullopt. The cells of the "lh" lists reached are
// added to hashLeaves when it is given.
std::optional<HiveDamage> CheckWholeHive(std::string_view hive,
                                         std::vector<std::uint32_t>* hashLeaves = nullptr);

// The message for the user: names the file, the key and the damage.
std::string DamagedHiveMessage(const std::string& path, const HiveDamage& damage);

}  // namespace zorvanel::hive
