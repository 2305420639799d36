#include "platform/store/RegReader.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

#include "platform/registry/RegistryApi.h"
#include "platform/store/RegFile.h"
#include "platform/store/RegText.h"
#include "platform/store/RegValueTypes.h"
#include "platform/store/Utf16.h"

namespace zorvanel::store {
namespace {

constexpr std::string_view kRootAbbreviation = "HKLM";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

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

class Parser final : public DataReader {
 public:
  Parser(std::string_view text, std::string_view fileName, RegSink& sink)
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

  [[noreturn]] void Fail(std::string_view reason) const override { Fail(lines_.Number(), reason); }

  std::string ReadQuoted(std::string_view line, std::size_t& pos) const override {
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

  void CheckDataSize(const Value& value) const override { CheckDataSize(value, lines_.Number()); }

  void ReadHexList(std::string_view firstPart, Value& value) override {
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

 private:
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
      if (line == kRegHeaderAnsi) return;
      if (line == kRegHeaderUnicode) {
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

  void ReadData(std::string_view data, Value& value) {
    if (data.empty()) Fail("missing data after '='");
    if (data.front() == '-') Fail("deleting a value is not supported in a store file");
    const ValueType* type = ValueTypeOfData(data);
    if (type == nullptr) Fail("unknown data " + Excerpt(data));
    type->read(*this, data, value);
  }

  void CheckDataSize(const Value& value, int line) const {
    if (value.data.size() > kMaxDataBytes) {
      Fail(line, LimitText("value data larger than", kMaxDataBytes, "bytes"));
    }
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
  RegSink& sink_;
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

}  // namespace

void ReadRegText(std::string_view bytes, std::string_view fileName, RegSink& sink) {
  CheckFileSize(bytes, fileName);
  std::string converted;
  Parser(DecodeText(bytes, fileName, converted), fileName, sink).Run();
}

}  // namespace zorvanel::store
