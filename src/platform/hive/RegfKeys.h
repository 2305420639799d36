#pragma once
// The key, value and subkey-list cells of a regf hive: where their fields
// lie, and what makes a cell one of them. Offsets count from the cell's
// data, which begins with its two-letter signature.

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvanel::hive::regf {

// Key node "nk".
inline constexpr std::size_t kNkFlags = 2;
inline constexpr std::size_t kNkSubkeyCount = 20;
inline constexpr std::size_t kNkSubkeyList = 28;
inline constexpr std::size_t kNkValueCount = 36;
inline constexpr std::size_t kNkValueList = 40;
inline constexpr std::size_t kNkSecurity = 44;
inline constexpr std::size_t kNkNameLength = 72;
inline constexpr std::size_t kNkName = 76;
inline constexpr std::uint16_t kNkAsciiName = 0x20;  // else the name is UTF-16LE
// Value "vk".
inline constexpr std::size_t kVkNameLength = 2;
inline constexpr std::size_t kVkDataSize = 4;
inline constexpr std::size_t kVkDataOffset = 8;
inline constexpr std::size_t kVkFlags = 16;
inline constexpr std::size_t kVkName = 20;
inline constexpr std::uint16_t kVkAsciiName = 1;
// Subkey lists "li", "lf", "lh", "ri" (and "db" big data): a 16-bit count,
// then the elements.
inline constexpr std::size_t kListCount = 2;
inline constexpr std::size_t kListElements = 4;

// A key node whose name fits its cell.
bool IsKey(std::string_view cell);
// A value whose name fits its cell.
bool IsValue(std::string_view cell);
bool IsListOf(std::string_view cell, std::string_view signature);
std::uint32_t ListCount(std::string_view list);

// The names as UTF-8, for messages.
std::string KeyNameText(std::string_view key);
std::string ValueNameText(std::string_view value);
// What an "lf" list holds beside a key: the first four characters of its
// name as stored, each taken as one byte (a UTF-16 name's too), padded with
// zero bytes.
std::uint32_t NameHint(std::string_view key);

}  // namespace zorvanel::hive::regf
