#include "platform/hive/SubkeyLists.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/hive/HiveCheck.h"
#include "platform/hive/RegfCells.h"
#include "platform/hive/RegfKeys.h"

namespace zorvanel::hive {

using namespace regf;

bool ToFastLeafLists(std::string& hive) {
  std::vector<std::uint32_t> hashLeaves;
  if (CheckWholeHive(hive, &hashLeaves)) return false;
  std::string why;
  const auto cells = Cells::Index(hive, &why);
  // The hints are read from the keys, which are left as they are, so the
  // lists can be rewritten one by one in place.
  for (const std::uint32_t leaf : hashLeaves) {
    const std::string_view list = *cells->Data(leaf);
    const std::size_t at = Cells::FileOffset(leaf);
    for (std::uint32_t i = 0; i < ListCount(list); ++i) {
      const std::size_t entry = kListElements + i * 8;
      const std::uint32_t hint = NameHint(*cells->Data(Le32(list, entry)));
      PutLe32(hive, at + entry + 4, hint);
    }
    hive.replace(at, 2, "lf");
  }
  return true;
}

std::optional<files::Failure> ToFastLeafListsIn(const std::string& path) {
  std::string hive;
  bool missing = false;
  if (auto failure = files::ReadAtMost(path, kMaxHiveBytes, hive, &missing)) return failure;
  if (!ToFastLeafLists(hive)) return files::Failure{"writing subkey lists that its Windows reads: the new file is not sound", EIO};
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.write(hive.data(), static_cast<std::streamsize>(hive.size())).flush()) {
    return files::Failure{"writing the new file's subkey lists", errno};
  }
  return std::nullopt;
}

}  // namespace zorvanel::hive
