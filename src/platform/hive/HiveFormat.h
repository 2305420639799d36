#pragma once
// The format version in a hive's base block, read when it is opened and
// never changed: each Windows reads only the formats up to its own, and the
// format says which subkey lists a hive may hold.
//   1.1  Windows NT 3.1           1.3  Windows NT 4.0 and 2000: "li", "lf", "ri"
//   1.2  Windows NT 3.5           1.4  as 1.3, with big data ("db")
//   1.5  Windows XP and later, with "lh" lists (libhivex writes these)

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvanel::hive {

struct HiveFormat {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};

HiveFormat ReadFormat(std::string_view baseBlock);
// Why a hive of this format cannot be read at all (it is then refused), as
// a clause; empty when it can.
std::string UnreadableFormat(HiveFormat format);
// Why the hive at path must not be written (it is then opened read-only);
// empty when it may be.
std::string UnwritableFormat(const std::string& path, HiveFormat format);
// The format predates "lh" lists: what libhivex writes must become "lf".
bool NeedsFastLeafLists(HiveFormat format);

}  // namespace zorvanel::hive
