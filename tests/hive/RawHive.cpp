#include "tests/hive/RawHive.h"

#include <cstdint>
#include <set>
#include <sstream>

namespace zorvanel::hive {

namespace {

// Texts of ASCII characters as text (NULs as \0), other data in hex.
std::string Shown(std::uint32_t type, const std::string& data) {
  bool text = (type == 1 || type == 2 || type == 7) && data.size() % 2 == 0;
  std::string shown = " \"";
  for (std::size_t i = 0; text && i < data.size(); i += 2) {
    text = data[i + 1] == 0 && (data[i] == 0 || (data[i] >= 0x20 && data[i] < 0x7F));
    shown += data[i] == 0 ? std::string("\\0") : std::string(1, data[i]);
  }
  if (text) return shown + "\"";
  std::ostringstream hex;
  for (unsigned char byte : data) hex << ' ' << std::hex << static_cast<int>(byte);
  return hex.str();
}

class Reader {
 public:
  explicit Reader(const std::string& file) : file_(file) {}
  void Key(std::uint32_t cell, const std::string& path);
  RawHive hive;

 private:
  std::uint32_t U16(std::uint32_t cell, std::uint32_t at) const {
    return static_cast<unsigned char>(file_.at(4100 + cell + at)) |
           static_cast<unsigned char>(file_.at(4101 + cell + at)) << 8;
  }
  std::uint32_t U32(std::uint32_t cell, std::uint32_t at) const { return U16(cell, at) | U16(cell, at + 2) << 16; }
  std::string Bytes(std::uint32_t cell, std::uint32_t at, std::uint32_t size) const {
    const std::size_t from = 4100 + std::size_t{cell} + at;
    if (size > 0) (void)file_.at(from + size - 1);  // throws when the file is shorter
    return file_.substr(from, size);
  }
  std::string Name(std::uint32_t cell, std::uint32_t at, std::uint32_t size, bool ascii) const;
  std::string Data(std::uint32_t vk) const;
  void Subkeys(std::uint32_t list, const std::string& path);

  const std::string& file_;
};

// ASCII names as they are; UTF-16 ones by their units' low bytes.
std::string Reader::Name(std::uint32_t cell, std::uint32_t at, std::uint32_t size, bool ascii) const {
  std::string name;
  for (std::uint32_t i = 0; i < size; i += ascii ? 1 : 2) name += static_cast<char>(U16(cell, at + i) & 0xFF);
  return name;
}

std::string Reader::Data(std::uint32_t vk) const {
  const std::uint32_t size = U32(vk, 4);
  if (size & 0x80000000) return Bytes(vk, 8, size & 0x7FFFFFFF);
  if (size == 0) return "";
  const std::uint32_t cell = U32(vk, 8);
  if (size > 16344 && Bytes(cell, 0, 2) == "db") {
    std::string data;
    for (std::uint32_t i = 0; i < U16(cell, 2); ++i) {
      const std::uint32_t segment = U32(U32(cell, 4), i * 4);
      data += Bytes(segment, 0, std::min<std::uint32_t>(16344, size - static_cast<std::uint32_t>(data.size())));
    }
    return data;
  }
  return Bytes(cell, 0, size);
}

void Reader::Key(std::uint32_t nk, const std::string& path) {
  std::set<std::string> values;
  for (std::uint32_t i = 0; i < U32(nk, 36); ++i) {
    const std::uint32_t vk = U32(U32(nk, 40), i * 4);
    std::ostringstream line;
    line << "  \"" << Name(vk, 20, U16(vk, 2), U16(vk, 16) & 1) << "\" type " << U32(vk, 12) << ":";
    line << Shown(U32(vk, 12), Data(vk));
    values.insert(line.str() + "\n");
  }
  std::string& text = hive.keys[path];
  for (const auto& line : values) text += line;
  if (U32(nk, 20) > 0) Subkeys(U32(nk, 28), path);
}

void Reader::Subkeys(std::uint32_t list, const std::string& path) {
  const std::string type = Bytes(list, 0, 2);
  ++hive.lists[type];
  const std::uint32_t width = type == "li" || type == "ri" ? 4 : 8;
  for (std::uint32_t i = 0; i < U16(list, 2); ++i) {
    const std::uint32_t cell = U32(list, 4 + i * width);
    if (type == "ri") {
      Subkeys(cell, path);
      continue;
    }
    const std::string name = Name(cell, 76, U16(cell, 72), U16(cell, 2) & 0x20);
    Key(cell, path.empty() ? name : path + "\\" + name);
  }
}

}  // namespace

RawHive ReadRawHive(const std::string& file) {
  Reader reader(file);
  const std::uint32_t root = static_cast<unsigned char>(file.at(36)) | static_cast<unsigned char>(file.at(37)) << 8 |
                             static_cast<unsigned char>(file.at(38)) << 16 |
                             static_cast<unsigned char>(file.at(39)) << 24;
  reader.Key(root, "");
  return reader.hive;
}

std::string RawChanges(const RawHive& before, const RawHive& after) {
  std::string changes;
  for (const auto& [path, values] : before.keys) {
    if (!after.keys.contains(path)) changes += "- " + path + "\n";
  }
  for (const auto& [path, values] : after.keys) {
    const auto old = before.keys.find(path);
    if (old != before.keys.end() && old->second == values) continue;
    changes += (old == before.keys.end() ? "+ " : "~ ") + path + "\n";
    const std::string was = old == before.keys.end() ? "" : old->second;
    std::istringstream gone(was);
    for (std::string line; std::getline(gone, line);) {
      if (values.find(line + "\n") == std::string::npos) changes += "-" + line.substr(1) + "\n";
    }
    std::istringstream lines(values);
    for (std::string line; std::getline(lines, line);) {
      if (was.find(line + "\n") == std::string::npos) changes += "+" + line.substr(1) + "\n";
    }
  }
  return changes;
}

}  // namespace zorvanel::hive
