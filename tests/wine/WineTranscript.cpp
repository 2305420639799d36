#include "tests/wine/WineTranscript.h"

#include <algorithm>
#include <sstream>

#include "platform/store/RegFile.h"
#include "replay/LiveDumpScope.h"

namespace zorvanel::wine {

namespace {

bool IsDumpLine(std::string_view line) {
  return line.empty() || line.front() == '[' || line.front() == '"' || line.front() == '@' ||
         line.front() == ' ' || line.front() == ';';
}

bool LessNoCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

void Canonicalize(store::Key& key, bool hives) {
  const auto byName = [](const auto& a, const auto& b) { return LessNoCase(a.name, b.name); };
  if (!hives) {
    for (auto& value : key.values) {
      if (value.type == registry::REG_SZ && !value.data.empty() && value.data.back() == 0) {
        value.data.pop_back();
      }
    }
    std::sort(key.values.begin(), key.values.end(), byName);
  }
  std::sort(key.subkeys.begin(), key.subkeys.end(), byName);
  for (auto& subkey : key.subkeys) Canonicalize(subkey, hives);
}

store::Key& Subkey(store::Key& key, const std::string& name) {
  if (store::Key* found = key.FindSubkey(name)) return *found;
  return key.subkeys.emplace_back(store::Key{name, {}, {}});
}

std::string CanonicalDump(const std::string& dump, bool hives) {
  try {
    store::Key tree = store::ParseRegFile(dump, "dump");
    if (hives) {
      Subkey(tree, "SOFTWARE");
      Subkey(Subkey(tree, "SYSTEM"), "CurrentControlSet");
    }
    Canonicalize(tree, hives);
    std::string text = store::FormatRegFile(tree);
    std::erase(text, '\r');
    return text;
  } catch (const store::RegFileError& error) {
    return dump + "(dump cannot be read: " + error.what() + ")\n";
  }
}

std::string Canonical(std::string_view transcript, bool hives) {
  std::istringstream lines{std::string(transcript)};
  std::string out, dump, line;
  const auto endDump = [&] {
    if (!dump.empty()) out += CanonicalDump(dump, hives);
    dump.clear();
  };
  while (std::getline(lines, line)) {
    if (line == "REGEDIT4") endDump();
    if (line == "REGEDIT4" || (!dump.empty() && IsDumpLine(line))) {
      dump += line + "\n";
    } else {
      endDump();
      out += line + "\n";
    }
  }
  endDump();
  return out;
}

}  // namespace

std::string CanonicalTranscript(std::string_view transcript) {
  return Canonical(transcript, false);
}

std::string CanonicalHiveTranscript(std::string_view transcript) {
  std::string text(transcript);
  std::erase(text, '\r');  // a .reg file's line ends, as dump prints them
  return Canonical(text, true);
}

std::string ResetRegFile(const std::vector<store::Key>& storeFiles) {
  std::vector<std::string> roots = replay::LiveDumpRoots(store::Key{"HKEY_LOCAL_MACHINE", {}, {}});
  for (const auto& storeFile : storeFiles) {
    for (auto& root : replay::LiveDumpRoots(storeFile)) {
      if (std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(root);
    }
  }
  std::string text = "REGEDIT4\r\n";
  for (const auto& root : roots) text += "\r\n[-HKEY_LOCAL_MACHINE\\" + root + "]\r\n";
  return text;
}

}  // namespace zorvanel::wine
