#include "platform/store/RegWriter.h"

#include <algorithm>
#include <cstdint>

#include "platform/registry/RegistryApi.h"
#include "platform/store/RegFile.h"
#include "platform/store/RegText.h"
#include "platform/store/RegValueTypes.h"

namespace zorvanel::store {
namespace {

// Printable text with no terminator, as a program that counts only the
// characters stores it when no NUL happens to follow them. The format can
// only carry it as hex, so a comment line shows it as text.
bool IsUnterminatedText(const Value& value) {
  return value.type == registry::REG_SZ && !value.data.empty() &&
         std::all_of(value.data.begin(), value.data.end(), IsPrintable) &&
         std::all_of(value.name.begin(), value.name.end(),
                     [](char c) { return IsPrintable(static_cast<std::uint8_t>(c)); });
}

void AppendTextComment(std::string& out, const Value& value) {
  out.append("; ").append(value.name.empty() ? "@" : value.name).append(" is the text ");
  AppendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                     value.data.size()));
  out.append(", stored without a terminator").append(kRegLineEnd);
}

void AppendKey(std::string& out, const Key& key, std::string& path, bool isRoot) {
  if (WritesKeyLine(key, isRoot)) {
    out.append("[").append(path).append("]").append(kRegLineEnd);
    for (const Value& value : key.values) AppendValue(out, value);
    out.append(kRegLineEnd);
  }
  for (const Key& subkey : key.subkeys) {
    const std::size_t length = path.size();
    path.append("\\").append(subkey.name);
    AppendKey(out, subkey, path, false);
    path.resize(length);
  }
}

}  // namespace

void AppendValue(std::string& out, const Value& value) {
  if (IsUnterminatedText(value)) AppendTextComment(out, value);
  const std::size_t lineStart = out.size();
  if (value.name.empty()) {
    out.push_back('@');
  } else {
    AppendQuoted(out, value.name);
  }
  out.push_back('=');
  ValueTypeToWrite(value).write(out, lineStart, value);
  out.append(kRegLineEnd);
}

bool WritesKeyLine(const Key& key, bool isRoot) { return !isRoot || !key.values.empty(); }

std::size_t KeyLineSize(std::size_t pathLength) { return pathLength + 2 + 2 * kRegLineEnd.size(); }

std::size_t HeaderSize() { return kRegHeaderAnsi.size() + 2 * kRegLineEnd.size(); }

std::string FormatRegFile(const Key& root, std::size_t sizeHint) {
  std::string out;
  out.reserve(sizeHint);
  out.append(kRegHeaderAnsi).append(kRegLineEnd).append(kRegLineEnd);
  std::string path(kRootName);
  AppendKey(out, root, path, true);
  return out;
}

}  // namespace zorvanel::store
