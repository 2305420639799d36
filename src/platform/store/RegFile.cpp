#include "platform/store/RegFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "platform/registry/RegistryApi.h"
#include "platform/store/FoldedIndex.h"

namespace zorvanel::store {

RegFileError::RegFileError(std::string_view fileName, int line, std::string_view reason)
    : std::runtime_error(std::string(fileName) + ":" + std::to_string(line) + ": " +
                         std::string(reason)),
      line_(line) {}

namespace {

constexpr std::string_view kRootAbbreviation = "HKLM";
constexpr std::string_view kHeaderAnsi = "REGEDIT4";
constexpr std::string_view kHeaderUnicode = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kLineEnd = "\r\n";

// Hex lists wrap before this column, leaving room for the trailing backslash.
constexpr std::size_t kHexWrapColumn = 77;
constexpr std::string_view kHexIndent = "  ";

// ---------------------------------------------------------------------------
// Text helpers

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && NamesEqual(text.substr(0, prefix.size()), prefix);
}

// Quotes a piece of a bad line for an error message, cut short so a huge
// malformed line does not make a huge message.
std::string Excerpt(std::string_view text) {
  constexpr std::size_t kMaxExcerpt = 24;
  if (text.size() <= kMaxExcerpt) return "'" + std::string(text) + "'";
  return "'" + std::string(text.substr(0, kMaxExcerpt)) + "...'";
}

std::optional<unsigned> HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

// 1 to maxDigits hex digits, nothing else.
std::optional<std::uint32_t> ParseHexNumber(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    auto digit = HexDigitValue(c);
    if (!digit) return std::nullopt;
    number = (number << 4) | *digit;
  }
  return number;
}

// ---------------------------------------------------------------------------
// UTF-16LE to UTF-8

void AppendUtf8(std::uint32_t codePoint, std::string& out) {
  auto put = [&out](std::uint32_t byte) { out.push_back(static_cast<char>(byte)); };
  if (codePoint < 0x80) {
    put(codePoint);
  } else if (codePoint < 0x800) {
    put(0xC0 | (codePoint >> 6));
    put(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    put(0xE0 | (codePoint >> 12));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  } else {
    put(0xF0 | (codePoint >> 18));
    put(0x80 | ((codePoint >> 12) & 0x3F));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  }
}

// Appends the UTF-8 form of UTF-16LE `bytes` to `out`. Returns false at the
// first thing that is not UTF-16 (an odd last byte or an unpaired surrogate),
// leaving in `out` what came before it.
bool AppendUtf8FromUtf16(std::string_view bytes, std::string& out) {
  auto unitAt = [&bytes](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i]) |
                                      (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    std::uint32_t unit = unitAt(i);
    if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 3 >= bytes.size()) return false;
      std::uint32_t low = unitAt(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) return false;
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    AppendUtf8(unit, out);
  }
  return i == bytes.size();
}

// ---------------------------------------------------------------------------
// Reading

std::string LimitText(std::string_view what, std::size_t limit, std::string_view unit) {
  return std::string(what) + " the limit of " + std::to_string(limit) + " " + std::string(unit);
}

class LineReader {
 public:
  LineReader(std::string_view text, std::string_view fileName)
      : rest_(text), fileName_(fileName) {}

  // The next line without its line ending; false at the end of the text.
  bool Next(std::string_view& line) {
    if (done_) return false;
    std::size_t end = rest_.find('\n');
    if (end == std::string_view::npos) {
      line = rest_;
      done_ = true;
    } else {
      line = rest_.substr(0, end);
      rest_.remove_prefix(end + 1);
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number_;
    if (line.size() > kMaxLineLength) {
      throw RegFileError(fileName_, number_,
                         LimitText("line longer than", kMaxLineLength, "characters"));
    }
    return true;
  }
  int Number() const { return number_; }

 private:
  std::string_view rest_;
  std::string_view fileName_;
  bool done_ = false;
  int number_ = 0;
};

// The text of a hex list joined from its continuation lines, remembering
// where each line's part starts so an error can name the right line.
struct HexText {
  std::string text;
  std::vector<std::pair<std::size_t, int>> lineStarts;  // (offset in text, line number)

  int LineAt(std::size_t offset) const {
    auto after = std::upper_bound(
        lineStarts.begin(), lineStarts.end(), offset,
        [](std::size_t value, const auto& start) { return value < start.first; });
    return std::prev(after)->second;
  }
};

// What the reader finds, in the file's order. A sink answers with the
// reason the file cannot be taken, or nullopt.
class Sink {
 public:
  virtual ~Sink() = default;
  // A [key] line, as the names under the root.
  virtual std::optional<std::string> OnKey(std::vector<std::string>& names) = 0;
  // A value line, under the last key line.
  virtual std::optional<std::string> OnValue(Value& value) = 0;
  virtual std::optional<std::string> OnEnd() { return std::nullopt; }
};

class Parser {
 public:
  Parser(std::string_view text, std::string_view fileName, Sink& sink)
      : lines_(text, fileName), fileName_(fileName), sink_(sink) {}

  void Run() {
    ReadHeader();
    std::string_view line;
    while (lines_.Next(line)) {
      line = Trim(line);
      if (line.empty() || line.front() == ';') continue;
      if (line.front() == '[') {
        ReadKeyLine(line);
      } else if (line.front() == '"' || line.front() == '@') {
        ReadValueLine(line);
      } else {
        Fail("expected a [key] line or \"name\"=data");
      }
    }
    Check(sink_.OnEnd());
  }

 private:
  [[noreturn]] void Fail(std::string_view reason) const { Fail(lines_.Number(), reason); }
  [[noreturn]] void Fail(int line, std::string_view reason) const {
    throw RegFileError(fileName_, line, reason);
  }
  void Check(const std::optional<std::string>& refusal) const {
    if (refusal) Fail(*refusal);
  }

  void ReadHeader() {
    std::string_view line;
    while (lines_.Next(line)) {
      line = Trim(line);
      if (line.empty()) continue;
      if (line == kHeaderAnsi) return;
      if (line == kHeaderUnicode) {
        unicode_ = true;
        return;
      }
      break;
    }
    Fail(std::max(lines_.Number(), 1), "missing header");
  }

  void ReadKeyLine(std::string_view line) {
    if (line.back() != ']') Fail("expected ']' at the end of the key line");
    std::string_view path = line.substr(1, line.size() - 2);
    if (path.empty()) Fail("missing key path");
    if (path.front() == '-') Fail("deleting a key is not supported in a store file");

    std::string_view rootName = path.substr(0, path.find('\\'));
    if (!NamesEqual(rootName, kRootName) && !NamesEqual(rootName, kRootAbbreviation)) {
      Fail("unsupported root " + std::string(rootName));
    }
    std::vector<std::string> names = SplitPath(path.substr(rootName.size()));
    // The registry refuses deeper keys; the limit also bounds the recursion
    // that destroying, comparing and writing a tree does.
    if (names.size() > kMaxKeyDepth) {
      Fail(LimitText("key nested deeper than", kMaxKeyDepth, "levels"));
    }
    for (const std::string& name : names) {
      if (name.size() > kMaxKeyNameLength) {
        Fail(LimitText("key name " + Excerpt(name) + " longer than", kMaxKeyNameLength,
                       "characters"));
      }
    }
    Check(sink_.OnKey(names));
    inKey_ = true;
  }

  void ReadValueLine(std::string_view line) {
    if (!inKey_) Fail("value outside a key");
    std::size_t pos = 0;
    std::string name;
    if (line.front() == '@') {
      pos = 1;
    } else {
      name = ReadQuoted(line, pos);
      if (name.size() > kMaxValueNameLength) {
        Fail(LimitText("value name " + Excerpt(name) + " longer than", kMaxValueNameLength,
                       "characters"));
      }
    }
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size() || line[pos] != '=') Fail("expected \"name\"=data");
    std::string_view data = TrimLeft(line.substr(pos + 1));

    Value value;
    value.name = std::move(name);
    ReadData(data, value);
    Check(sink_.OnValue(value));
  }

  // Reads a quoted string starting at line[pos] == '"', undoing the \\ and \"
  // escapes; leaves pos after the closing quote.
  std::string ReadQuoted(std::string_view line, std::size_t& pos) const {
    std::string text;
    for (++pos;;) {
      const std::size_t special = line.find_first_of("\"\\", pos);
      if (special == std::string_view::npos) Fail("unterminated string");
      text.append(line.substr(pos, special - pos));
      pos = special + 1;
      if (line[special] == '"') return text;
      if (pos >= line.size()) Fail("unterminated string");
      const char c = line[pos++];
      if (c != '\\' && c != '"') Fail("bad escape '\\" + std::string(1, c) + "' in a string");
      text.push_back(c);
    }
  }

  void ReadData(std::string_view data, Value& value) {
    constexpr std::string_view kDword = "dword:";
    constexpr std::string_view kHex = "hex:";
    constexpr std::string_view kHexTyped = "hex(";
    if (data.empty()) Fail("missing data after '='");
    if (data.front() == '"') {
      ReadTextData(data, value);
    } else if (data.front() == '-') {
      Fail("deleting a value is not supported in a store file");
    } else if (StartsWithNoCase(data, kDword)) {
      ReadDwordData(data.substr(kDword.size()), value);
    } else if (StartsWithNoCase(data, kHex)) {
      value.type = registry::REG_BINARY;
      ReadHexData(data.substr(kHex.size()), value);
    } else if (StartsWithNoCase(data, kHexTyped)) {
      std::size_t close = data.find("):");
      auto type = close == std::string_view::npos
                      ? std::nullopt
                      : ParseHexNumber(data.substr(kHexTyped.size(), close - kHexTyped.size()), 8);
      if (!type) Fail("bad value type " + Excerpt(data.substr(0, close)));
      value.type = *type;
      ReadHexData(data.substr(close + 2), value);
    } else {
      Fail("unknown data " + Excerpt(data));
    }
  }

  // Text is stored with its terminating NUL, as the registry keeps it.
  void ReadTextData(std::string_view data, Value& value) const {
    std::size_t pos = 0;
    std::string text = ReadQuoted(data, pos);
    if (pos != data.size()) {
      Fail("unexpected text after the value: " + Excerpt(TrimLeft(data.substr(pos))));
    }
    value.type = registry::REG_SZ;
    value.data.reserve(text.size() + 1);  // exactly: a store holds many of them
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
    CheckDataSize(value, lines_.Number());
  }

  void CheckDataSize(const Value& value, int line) const {
    if (value.data.size() > kMaxDataBytes) {
      Fail(line, LimitText("value data larger than", kMaxDataBytes, "bytes"));
    }
  }

  void ReadDwordData(std::string_view digits, Value& value) const {
    auto number = ParseHexNumber(digits, 8);
    if (!number) Fail("bad dword " + Excerpt(digits));
    value.type = registry::REG_DWORD;
    value.data.clear();
    for (int shift = 0; shift < 32; shift += 8) {
      value.data.push_back(static_cast<std::uint8_t>(*number >> shift));
    }
  }

  void ReadHexData(std::string_view firstPart, Value& value) {
    HexText hex = GatherHexText(firstPart);
    std::size_t start = 0;
    while (start < hex.text.size()) {
      std::size_t comma = std::min(hex.text.find(',', start), hex.text.size());
      std::string_view token = Trim(std::string_view(hex.text).substr(start, comma - start));
      bool trailingComma = token.empty() && comma == hex.text.size() && start > 0;
      if (trailingComma) break;
      auto byte = ParseHexNumber(token, 2);
      if (!byte) Fail(hex.LineAt(start), "bad hex byte " + Excerpt(token));
      value.data.push_back(static_cast<std::uint8_t>(*byte));
      CheckDataSize(value, hex.LineAt(start));
      start = comma + 1;
    }
    if (unicode_ && registry::IsTextType(value.type)) {
      // Kept as UTF-8, which can take more bytes than the UTF-16 it came as.
      ConvertUtf16Data(value);
      CheckDataSize(value, hex.lineStarts.front().second);
    }
    value.data.shrink_to_fit();
  }

  // A hex list goes on over the following lines while a line ends in '\'.
  HexText GatherHexText(std::string_view part) {
    HexText hex;
    for (;;) {
      part = TrimRight(part);
      hex.lineStarts.emplace_back(hex.text.size(), lines_.Number());
      bool continues = !part.empty() && part.back() == '\\';
      if (continues) part.remove_suffix(1);
      hex.text.append(part);
      if (!continues || !lines_.Next(part)) return hex;
      part = TrimLeft(part);
    }
  }

  // Version 5 files hold text values as UTF-16LE; the store keeps UTF-8.
  // Data that does not decode (an odd byte count, a lone surrogate, as the
  // registry holds them) stays as its raw bytes, which the writer writes as
  // hex and the reader gives back alike.
  static void ConvertUtf16Data(Value& value) {
    std::string_view utf16(reinterpret_cast<const char*>(value.data.data()), value.data.size());
    std::string utf8;
    if (AppendUtf8FromUtf16(utf16, utf8)) value.data.assign(utf8.begin(), utf8.end());
  }

  LineReader lines_;
  std::string_view fileName_;
  Sink& sink_;
  bool inKey_ = false;  // value lines need a key line before them
  bool unicode_ = false;
};

// The line of the file in which byte `offset` lies; in a UTF-16 file a line
// ends with the two bytes of a line feed.
int LineAtOffset(std::string_view bytes, std::size_t offset) {
  std::string_view before = bytes.substr(0, offset);
  if (!before.starts_with(kUtf16LeBom)) {
    return 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
  }
  int line = 1;
  for (std::size_t i = kUtf16LeBom.size(); i + 1 < before.size(); i += 2) {
    if (before[i] == '\n' && before[i + 1] == '\0') ++line;
  }
  return line;
}

// The file's text as UTF-8: the bytes themselves, or for a UTF-16 file
// their conversion, which `converted` then holds.
std::string_view DecodeText(std::string_view bytes, std::string_view fileName,
                            std::string& converted) {
  if (bytes.substr(0, kUtf16LeBom.size()) == kUtf16LeBom) {
    if (!AppendUtf8FromUtf16(bytes.substr(kUtf16LeBom.size()), converted)) {
      int line = 1 + static_cast<int>(std::count(converted.begin(), converted.end(), '\n'));
      throw RegFileError(fileName, line, "the file is not valid UTF-16");
    }
    return converted;
  }
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
  return bytes;
}

void CheckFileSize(std::string_view bytes, std::string_view fileName) {
  if (bytes.size() > kMaxFileBytes) {
    throw RegFileError(fileName, LineAtOffset(bytes, kMaxFileBytes),
                       LimitText("file larger than", kMaxFileBytes, "bytes"));
  }
}

// ---------------------------------------------------------------------------
// Writing

// Text is copied in runs between the characters that need a backslash.
void AppendQuoted(std::string& out, std::string_view text) {
  out.push_back('"');
  for (;;) {
    const std::size_t special = text.find_first_of("\\\"");
    out.append(text.substr(0, special));
    if (special == std::string_view::npos) break;
    out.push_back('\\');
    out.push_back(text[special]);
    text.remove_prefix(special + 1);
  }
  out.push_back('"');
}

void AppendHexNumber(std::string& out, std::uint32_t number, int minDigits) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  char digits[8];
  int count = 0;
  do {
    digits[count++] = kDigits[number & 0xF];
    number >>= 4;
  } while (number != 0);
  while (count < minDigits) digits[count++] = '0';
  while (count > 0) out.push_back(digits[--count]);
}

bool IsPrintable(std::uint8_t byte) { return byte >= 0x20 && byte <= 0x7E; }

// Only text that reads back byte for byte is written in quotes: printable
// ASCII followed by exactly one NUL. Anything else goes as hex.
bool IsPlainText(const Value& value) {
  const auto& data = value.data;
  return value.type == registry::REG_SZ && !data.empty() && data.back() == 0 &&
         std::all_of(data.begin(), data.end() - 1, IsPrintable);
}

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
  out.append(", stored without a terminator").append(kLineEnd);
}

// The value's line started at `lineStart` in out; hex lists wrap the way
// exported files do, each full line ending in ",\".
void AppendHexList(std::string& out, std::size_t lineStart, const std::vector<std::uint8_t>& data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    const std::size_t token = i + 1 < data.size() ? 3 : 2;  // "xx," or the last "xx"
    if (out.size() - lineStart + token > kHexWrapColumn) {
      out.append("\\").append(kLineEnd);
      lineStart = out.size();
      out.append(kHexIndent);
    }
    AppendHexNumber(out, data[i], 2);
    if (token == 3) out.push_back(',');
  }
  out.append(kLineEnd);
}

void AppendValue(std::string& out, const Value& value) {
  const bool plainText = IsPlainText(value);
  const bool dword = !plainText && value.type == registry::REG_DWORD && value.data.size() == 4;
  if (!plainText && !dword && IsUnterminatedText(value)) AppendTextComment(out, value);
  const std::size_t lineStart = out.size();
  if (value.name.empty()) {
    out.push_back('@');
  } else {
    AppendQuoted(out, value.name);
  }
  out.push_back('=');

  if (plainText) {
    AppendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                       value.data.size() - 1));
    out.append(kLineEnd);
  } else if (dword) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | value.data[i];
    out.append("dword:");
    AppendHexNumber(out, number, 8);
    out.append(kLineEnd);
  } else {
    if (value.type == registry::REG_BINARY) {
      out.append("hex:");
    } else {
      out.append("hex(");
      AppendHexNumber(out, value.type, 1);
      out.append("):");
    }
    AppendHexList(out, lineStart, value.data);
  }
}

// The root's line is written only when the root holds values: the file
// needs no line for a key that is there anyway.
bool WritesKeyLine(const Key& key, bool isRoot) { return !isRoot || !key.values.empty(); }

void AppendKey(std::string& out, const Key& key, std::string& path, bool isRoot) {
  if (WritesKeyLine(key, isRoot)) {
    out.append("[").append(path).append("]").append(kLineEnd);
    for (const Value& value : key.values) AppendValue(out, value);
    out.append(kLineEnd);
  }
  for (const Key& subkey : key.subkeys) {
    const std::size_t length = path.size();
    path.append("\\").append(subkey.name);
    AppendKey(out, subkey, path, false);
    path.resize(length);
  }
}

// What a key's line and its closing blank line add to the file.
std::size_t KeyLineSize(std::size_t pathLength) { return pathLength + 2 + 2 * kLineEnd.size(); }

// ---------------------------------------------------------------------------
// Reading into a tree

// Builds the tree. Names are found through a case-folded index beside each
// ordered list, so reading stays linear. It also keeps count of the bytes the
// writer will make of the tree and refuses a store that would be written
// back larger than the reader takes, so that every store it accepts can be
// written back.
class TreeBuilder : public Sink {
 public:
  Key Take() {
    FitLists(root_);
    return std::move(root_);
  }

  std::optional<std::string> OnKey(std::vector<std::string>& names) override {
    // The key left behind is done with, as a rule: its value list gives back
    // what growing left unused, and its index goes until it is needed again.
    if (key_) {
      key_->values.shrink_to_fit();
      node_->values.Release();
    }
    key_ = &root_;
    node_ = &rootNode_;
    std::size_t pathLength = kRootName.size();
    for (std::string& name : names) {
      pathLength += 1 + name.size();
      const auto count = static_cast<std::uint32_t>(key_->subkeys.size());
      auto nameAt = [this](std::uint32_t i) -> std::string_view { return key_->subkeys[i].name; };
      const auto found = node_->subkeys.Find(name, count, nameAt);
      if (found) {
        key_ = &key_->subkeys[*found];
        node_ = &node_->nodes[*found];
        continue;
      }
      key_->subkeys.emplace_back().name = std::move(name);
      node_->subkeys.Added(count + 1, nameAt);
      key_ = &key_->subkeys.back();
      node_ = &node_->nodes.emplace_back();
      node_->pathLength = pathLength;
      written_ += KeyLineSize(pathLength);
    }
    return WrittenSizeCheck();
  }

  std::optional<std::string> OnValue(Value& value) override {
    if (key_ == &root_ && root_.values.empty()) written_ += KeyLineSize(kRootName.size());
    const auto count = static_cast<std::uint32_t>(key_->values.size());
    auto nameAt = [this](std::uint32_t i) -> std::string_view { return key_->values[i].name; };
    // A name set again replaces the earlier data but keeps its place.
    if (const auto found = node_->values.Find(value.name, count, nameAt)) {
      Value& existing = key_->values[*found];
      written_ -= FormattedSize(existing);
      existing.type = value.type;
      existing.data = std::move(value.data);
      written_ += FormattedSize(existing);
    } else {
      written_ += FormattedSize(value);
      key_->values.push_back(std::move(value));
      node_->values.Added(count + 1, nameAt);
    }
    return WrittenSizeCheck();
  }

 private:
  // The index beside one key of the tree.
  struct Node {
    FoldedIndex subkeys;
    FoldedIndex values;
    std::vector<Node> nodes;  // beside the key's subkeys, in the same order
    std::size_t pathLength = 0;
  };

  // The lists grew one entry at a time; the tree is kept for the program's
  // whole run, so it gives back what growing left unused.
  static void FitLists(Key& key) {
    key.values.shrink_to_fit();
    key.subkeys.shrink_to_fit();
    for (Key& subkey : key.subkeys) FitLists(subkey);
  }

  std::size_t FormattedSize(const Value& value) {
    scratch_.clear();
    AppendValue(scratch_, value);
    return scratch_.size();
  }

  std::optional<std::string> WrittenSizeCheck() const {
    if (written_ <= kMaxFileBytes) return std::nullopt;
    return LimitText("store that would be written back larger than", kMaxFileBytes, "bytes");
  }

  Key root_ = EmptyRoot();
  Node rootNode_;
  Key* key_ = nullptr;
  Node* node_ = nullptr;
  std::size_t written_ = kHeaderAnsi.size() + 2 * kLineEnd.size();
  std::string scratch_;
};

// ---------------------------------------------------------------------------
// Reading back what was written

// Compares what the reader finds with the tree that was written, key by
// key in the writer's order, without building a second tree. The tree never
// holds two names that are equal without case (the store and the reader
// both merge them), so finding exactly the tree's keys and values, in its
// order, means the text reads back as this very tree.
class Comparer : public Sink {
 public:
  explicit Comparer(const Key& root) : root_(root) {
    if (WritesKeyLine(root, true)) {
      key_ = &root;
    } else {
      key_ = Advance();
    }
  }

  std::optional<std::string> OnKey(std::vector<std::string>& names) override {
    if (started_ && (key_ == nullptr || nextValue_ != key_->values.size())) return Differs();
    if (started_) key_ = Advance();
    started_ = true;
    if (key_ == nullptr || names != path_) return Differs();
    nextValue_ = 0;
    return std::nullopt;
  }

  std::optional<std::string> OnValue(Value& value) override {
    if (nextValue_ >= key_->values.size() || !(key_->values[nextValue_] == value)) {
      return Differs();
    }
    ++nextValue_;
    return std::nullopt;
  }

  std::optional<std::string> OnEnd() override {
    if (!started_ && key_ == nullptr) return std::nullopt;  // an empty tree
    if (!started_ || nextValue_ != key_->values.size() || Advance() != nullptr) return Differs();
    return std::nullopt;
  }

 private:
  static std::optional<std::string> Differs() { return "the text reads back as another tree"; }

  // The next key in the writer's order: depth first, in creation order.
  const Key* Advance() {
    if (stack_.empty()) stack_.push_back({&root_, 0});
    while (!stack_.empty()) {
      auto& [key, next] = stack_.back();
      if (next < key->subkeys.size()) {
        const Key* child = &key->subkeys[next++];
        stack_.push_back({child, 0});
        path_.push_back(child->name);
        return child;
      }
      stack_.pop_back();
      if (!path_.empty()) path_.pop_back();
    }
    return nullptr;
  }

  const Key& root_;
  std::vector<std::pair<const Key*, std::size_t>> stack_;
  std::vector<std::string> path_;
  const Key* key_ = nullptr;
  std::size_t nextValue_ = 0;
  bool started_ = false;
};

void Read(std::string_view bytes, std::string_view fileName, Sink& sink) {
  CheckFileSize(bytes, fileName);
  std::string converted;
  Parser(DecodeText(bytes, fileName, converted), fileName, sink).Run();
}

}  // namespace

Key ParseRegFile(std::string_view bytes, std::string_view fileName) {
  TreeBuilder builder;
  Read(bytes, fileName, builder);
  return builder.Take();
}

void CheckReadsBack(std::string_view bytes, const Key& root, std::string_view fileName) {
  Comparer comparer(root);
  Read(bytes, fileName, comparer);
}

std::string FormatRegFile(const Key& root, std::size_t sizeHint) {
  std::string out;
  out.reserve(sizeHint);
  out.append(kHeaderAnsi).append(kLineEnd).append(kLineEnd);
  std::string path(kRootName);
  AppendKey(out, root, path, true);
  return out;
}

}  // namespace zorvanel::store
