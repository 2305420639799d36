#include "platform/hive/RegfKeys.h"

#include "platform/hive/RegfCells.h"

namespace zorvanel::hive::regf {

namespace {

// A stored name: its bytes, and whether they are single-byte characters.
struct StoredName {
  std::string_view bytes;
  bool ascii;
};

StoredName KeyName(std::string_view key) {
  return {key.substr(kNkName, Le16(key, kNkNameLength)), (Le16(key, kNkFlags) & kNkAsciiName) != 0};
}

StoredName ValueName(std::string_view value) {
  return {value.substr(kVkName, Le16(value, kVkNameLength)), (Le16(value, kVkFlags) & kVkAsciiName) != 0};
}

void AppendUtf8(std::string& text, std::uint32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | code >> 6);
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xE0 | code >> 12);
    text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Single bytes are Latin-1; UTF-16 units are taken one by one (a surrogate
// half shows as itself, which is enough for a message).
std::string Text(StoredName name) {
  std::string text;
  const std::size_t width = name.ascii ? 1 : 2;
  for (std::size_t at = 0; at + width <= name.bytes.size(); at += width) {
    AppendUtf8(text, name.ascii ? static_cast<unsigned char>(name.bytes[at]) : Le16(name.bytes, at));
  }
  return text;
}

}  // namespace

bool IsKey(std::string_view cell) {
  return cell.size() >= kNkName && cell.starts_with("nk") && Le16(cell, kNkNameLength) <= cell.size() - kNkName;
}

bool IsValue(std::string_view cell) {
  return cell.size() >= kVkName && cell.starts_with("vk") && Le16(cell, kVkNameLength) <= cell.size() - kVkName;
}

bool IsListOf(std::string_view cell, std::string_view signature) {
  return cell.size() >= kListElements && cell.starts_with(signature);
}

std::uint32_t ListCount(std::string_view list) { return Le16(list, kListCount); }

std::string KeyNameText(std::string_view key) { return Text(KeyName(key)); }
std::string ValueNameText(std::string_view value) { return Text(ValueName(value)); }

std::uint32_t NameHint(std::string_view key) {
  const StoredName name = KeyName(key);
  const std::size_t width = name.ascii ? 1 : 2;
  std::uint32_t hint = 0;
  for (std::size_t i = 0; i < 4 && (i + 1) * width <= name.bytes.size(); ++i) {
    hint |= static_cast<std::uint32_t>(static_cast<unsigned char>(name.bytes[i * width])) << (8 * i);
  }
  return hint;
}

}  // namespace zorvanel::hive::regf
