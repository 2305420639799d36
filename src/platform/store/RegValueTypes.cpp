#include "platform/store/RegValueTypes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/registry/RegistryApi.h"
#include "platform/store/RegText.h"

namespace zorvanel::store {
namespace {

constexpr std::string_view kTextPrefix = "\"";
constexpr std::string_view kDwordPrefix = "dword:";
constexpr std::string_view kHexPrefix = "hex:";
constexpr std::string_view kTypedHexPrefix = "hex(";
constexpr std::string_view kTypedHexEnd = "):";

// Hex lists wrap before this column, leaving room for the trailing backslash.
constexpr std::size_t kHexWrapColumn = 77;
constexpr std::string_view kHexIndent = "  ";

std::string_view DataText(const Value& value) {
  return {reinterpret_cast<const char*>(value.data.data()), value.data.size()};
}

// ---------------------------------------------------------------------------
// "text": REG_SZ, stored with its terminating NUL, as the registry keeps it.

void ReadText(DataReader& reader, std::string_view data, Value& value) {
  std::size_t pos = 0;
  std::string text = reader.ReadQuoted(data, pos);
  if (pos != data.size()) {
    reader.Fail("unexpected text after the value: " + Excerpt(TrimLeft(data.substr(pos))));
  }
  value.type = registry::REG_SZ;
  value.data.reserve(text.size() + 1);  // exactly: a store holds many of them
  value.data.assign(text.begin(), text.end());
  value.data.push_back(0);
  reader.CheckDataSize(value);
}

// Only text that reads back byte for byte is written in quotes: printable
// ASCII followed by exactly one NUL. Anything else goes as hex.
bool WritesText(const Value& value) {
  const auto& data = value.data;
  return value.type == registry::REG_SZ && !data.empty() && data.back() == 0 &&
         std::all_of(data.begin(), data.end() - 1, IsPrintable);
}

void WriteText(std::string& out, std::size_t, const Value& value) {
  std::string_view text = DataText(value);
  text.remove_suffix(1);  // the NUL
  AppendQuoted(out, text);
}

// ---------------------------------------------------------------------------
// dword:0000abcd, REG_DWORD, little-endian in the data.

void ReadDword(DataReader& reader, std::string_view data, Value& value) {
  std::string_view digits = data.substr(kDwordPrefix.size());
  auto number = ParseHexNumber(digits, 8);
  if (!number) reader.Fail("bad dword " + Excerpt(digits));
  value.type = registry::REG_DWORD;
  value.data.clear();
  for (int shift = 0; shift < 32; shift += 8) {
    value.data.push_back(static_cast<std::uint8_t>(*number >> shift));
  }
}

bool WritesDword(const Value& value) {
  return value.type == registry::REG_DWORD && value.data.size() == 4;
}

void WriteDword(std::string& out, std::size_t, const Value& value) {
  std::uint32_t number = 0;
  for (int i = 3; i >= 0; --i) number = (number << 8) | value.data[i];
  out.append(kDwordPrefix);
  AppendHexNumber(out, number, 8);
}

// ---------------------------------------------------------------------------
// hex:01,02 for REG_BINARY, hex(7):41,00,... for every other type.

// Hex lists wrap the way exported files do, each full line ending in ",\".
void AppendHexList(std::string& out, std::size_t lineStart, const std::vector<std::uint8_t>& data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    const std::size_t token = i + 1 < data.size() ? 3 : 2;  // "xx," or the last "xx"
    if (out.size() - lineStart + token > kHexWrapColumn) {
      out.append("\\").append(kRegLineEnd);
      lineStart = out.size();
      out.append(kHexIndent);
    }
    AppendHexNumber(out, data[i], 2);
    if (token == 3) out.push_back(',');
  }
}

void ReadHex(DataReader& reader, std::string_view data, Value& value) {
  value.type = registry::REG_BINARY;
  reader.ReadHexList(data.substr(kHexPrefix.size()), value);
}

bool WritesHex(const Value& value) { return value.type == registry::REG_BINARY; }

void WriteHex(std::string& out, std::size_t lineStart, const Value& value) {
  out.append(kHexPrefix);
  AppendHexList(out, lineStart, value.data);
}

void ReadTypedHex(DataReader& reader, std::string_view data, Value& value) {
  const std::size_t close = data.find(kTypedHexEnd);
  auto type = close == std::string_view::npos
                  ? std::nullopt
                  : ParseHexNumber(data.substr(kTypedHexPrefix.size(),
                                               close - kTypedHexPrefix.size()), 8);
  if (!type) reader.Fail("bad value type " + Excerpt(data.substr(0, close)));
  value.type = *type;
  reader.ReadHexList(data.substr(close + kTypedHexEnd.size()), value);
}

bool WritesAnyType(const Value&) { return true; }

void WriteTypedHex(std::string& out, std::size_t lineStart, const Value& value) {
  out.append(kTypedHexPrefix);
  AppendHexNumber(out, value.type, 1);
  out.append(kTypedHexEnd);
  AppendHexList(out, lineStart, value.data);
}

// In the order a value looks for the kind it is written in; the last takes
// every value.
constexpr std::array<ValueType, 4> kValueTypes{{
    {kTextPrefix, ReadText, WritesText, WriteText},
    {kDwordPrefix, ReadDword, WritesDword, WriteDword},
    {kHexPrefix, ReadHex, WritesHex, WriteHex},
    {kTypedHexPrefix, ReadTypedHex, WritesAnyType, WriteTypedHex},
}};

}  // namespace

const ValueType* ValueTypeOfData(std::string_view data) {
  for (const ValueType& type : kValueTypes) {
    if (StartsWithNoCase(data, type.prefix)) return &type;
  }
  return nullptr;
}

const ValueType& ValueTypeToWrite(const Value& value) {
  return *std::find_if(kValueTypes.begin(), kValueTypes.end(),
                       [&value](const ValueType& type) { return type.writes(value); });
}

}  // namespace zorvanel::store
