#pragma once
// Finds a name in a list of keys or values without regard to ASCII case in
// constant time, so that reading a store stays linear however many
// siblings a key has. The list keeps its own order (creation order); the
// index holds positions into it, and asks the list for the names. Short
// lists are searched in order and need no table.

#include <algorithm>
#include <bit>
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
                                    const NameAt& nameAt) {
    if (count <= kLinearUpTo) {
      for (std::uint32_t i = 0; i < count; ++i) {
        if (NamesEqual(nameAt(i), name)) return i;
      }
      return std::nullopt;
    }
    if (slots_.empty()) Rebuild(count, nameAt);
    for (std::size_t slot = Home(name);; slot = (slot + 1) & Mask()) {
      if (slots_[slot] == kEmpty) return std::nullopt;
      if (NamesEqual(nameAt(slots_[slot] - 1), name)) return slots_[slot] - 1;
    }
  }

  // Takes in the list's new last entry; `count` includes it.
  template <typename NameAt>
  void Added(std::uint32_t count, const NameAt& nameAt) {
    if (count <= kLinearUpTo) return;
    if (2 * std::size_t{count} > slots_.size()) {
      Rebuild(count, nameAt);
    } else {
      Put(count - 1, nameAt(count - 1));
    }
  }

  // Lets the table go while the list is not being added to; it is made
  // again when it is needed.
  void Release() { std::vector<std::uint32_t>().swap(slots_); }

 private:
  static constexpr std::uint32_t kEmpty = 0;       // a slot holds position + 1
  static constexpr std::uint32_t kLinearUpTo = 8;  // longer lists get a table

  template <typename NameAt>
  void Rebuild(std::uint32_t count, const NameAt& nameAt) {
    slots_.assign(std::bit_ceil(2 * std::size_t{count}), kEmpty);  // at most half full
    for (std::uint32_t i = 0; i < count; ++i) Put(i, nameAt(i));
  }
  std::size_t Mask() const { return slots_.size() - 1; }
  std::size_t Home(std::string_view name) const {
    return static_cast<std::size_t>(FoldedHash(name)) & Mask();
  }
  void Put(std::uint32_t position, std::string_view name) {
    std::size_t slot = Home(name);
    while (slots_[slot] != kEmpty) slot = (slot + 1) & Mask();
    slots_[slot] = position + 1;
  }

  std::vector<std::uint32_t> slots_;  // open addressing
};

}  // namespace zorvanel::store
