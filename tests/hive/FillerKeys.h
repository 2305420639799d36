#pragma once
// Hives of a real size for benchmarks: filler keys of 80 text values each, as
// the device tree and the installed programs fill real hives.

#include <filesystem>
#include <initializer_list>

namespace zorvanel::hive {

// Adds `keys` filler keys under the key at path (made where missing) in the
// hive file. 1,000 keys make about 10 MB; a hive grows a little faster than
// its keys (1,850 make about 30 MB).
void AddFillerKeys(const std::filesystem::path& hive, std::initializer_list<const char*> path, int keys);

}  // namespace zorvanel::hive
