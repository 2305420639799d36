#pragma once
// Finds a name in a list of keys or values without regard to ASCII case in
// constant time, so that reading a store stays linear however many
// siblings a key has. The list keeps its own order (creation order); the
// index holds positions into it, and asks the list for the names.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/store/StoreTree.h"

namespace zorvanel::store {

class FoldedIndex {
 public:
  // The position of `name` in the list of `count` entries whose names
  // nameAt(position) gives; nullopt when it is not there.
  template <typename NameAt>
  std::optional<std::uint32_t> Find(std::string_view name, std::uint32_t count,
                                    const NameAt& nameAt) const {
    if (slots_.empty()) {
      for (std::uint32_t i = 0; i < count; ++i) {
        if (NamesEqual(nameAt(i), name)) return i;
      }
      return std::nullopt;
    }
    for (std::size_t slot = FoldedHash(name) & Mask();; slot = (slot + 1) & Mask()) {
      if (slots_[slot] == kEmpty) return std::nullopt;
      if (NamesEqual(nameAt(slots_[slot] - 1), name)) return slots_[slot] - 1;
    }
  }

  // Takes in the list's new last entry; `count` includes it.
  template <typename NameAt>
  void Added(std::uint32_t count, const NameAt& nameAt) {
    if (count <= kLinearUpTo) return;
    if (2 * count > slots_.size()) {
      slots_.assign(std::max<std::size_t>(64, slots_.size() * 2), kEmpty);
      for (std::uint32_t i = 0; i < count; ++i) Put(i, nameAt(i));
    } else {
      Put(count - 1, nameAt(count - 1));
    }
  }

 private:
  static constexpr std::uint32_t kEmpty = 0;    // a slot holds position + 1
  static constexpr std::uint32_t kLinearUpTo = 8;  // short lists are searched in order

  std::size_t Mask() const { return slots_.size() - 1; }
  void Put(std::uint32_t position, std::string_view name) {
    std::size_t slot = FoldedHash(name) & Mask();
    while (slots_[slot] != kEmpty) slot = (slot + 1) & Mask();
    slots_[slot] = position + 1;
  }

  std::vector<std::uint32_t> slots_;  // open addressing, at most half full
};

}  // namespace zorvanel::store
