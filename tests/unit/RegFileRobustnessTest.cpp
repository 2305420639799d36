// The store file reader against input from outside: each of its limits, at
// the limit and one past it (StoreFileTest has the store file's handling of a
// store beyond them). The reader is fuzzed as well (fuzz/); any crash the
// fuzzer finds becomes a case here.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/store/RegFile.h"

namespace zorvanel::store {
namespace {

const std::string kHeader = "REGEDIT4\n";
const std::string kKeyLine = "[HKEY_LOCAL_MACHINE\\K]\n";

std::string Repeat(char c, std::size_t count) { return std::string(count, c); }

// A hex list of `count` bytes, 64 to a line, continued with backslashes.
std::string HexLines(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text += "00";
    if (i + 1 < count) text += (i % 64 == 63) ? ",\\\n  " : ",";
  }
  return text + "\n";
}

// UTF-16LE hex of `count` characters U+0800, which take three bytes each as
// UTF-8 against two as UTF-16.
std::string WideTextHex(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += i + 1 < count ? "00,08," : "00,08";
  return text + "\n";
}

// A key chain of `depth` names of the longest length.
constexpr std::size_t kLongestWritableChain = 511;
std::string LongNameChain(std::size_t depth) {
  std::string line = "[HKEY_LOCAL_MACHINE";
  for (std::size_t i = 0; i < depth; ++i) line += "\\" + Repeat('k', kMaxKeyNameLength);
  return line + "]\n";
}

std::string NestedKeys(std::size_t depth) {
  std::string line = "[HKEY_LOCAL_MACHINE";
  for (std::size_t i = 0; i < depth; ++i) line += "\\k";
  return line + "]\n";
}

// A file of exactly `size` bytes: the header, then comment lines of 1024
// bytes each, the last one cut to fit.
std::string FileOfSize(std::size_t size) {
  std::string text = kHeader;
  const std::string line = ";" + Repeat('x', 1022) + "\n";
  while (text.size() + line.size() <= size) text += line;
  return text + Repeat(';', size - text.size());
}

struct LimitCase {
  const char* limit;
  std::string atLimit;    // parses
  std::string pastLimit;  // is refused
  int line;               // where the refusal points
  std::string reason;
};

std::vector<LimitCase> LimitCases() {
  const std::string value = kHeader + kKeyLine;
  const std::size_t text = kMaxDataBytes - 1;  // the terminating NUL is data too
  const std::size_t hexLinesBefore = kMaxDataBytes / 64;
  const std::size_t fileLines = (kMaxFileBytes - kHeader.size()) / 1024 + 2;
  return {
      {"line length", kHeader + ";" + Repeat('x', kMaxLineLength - 1),
       kHeader + ";" + Repeat('x', kMaxLineLength), 2,
       "line longer than the limit of 4194304 characters"},
      {"key name", kHeader + "[HKLM\\" + Repeat('k', kMaxKeyNameLength) + "]\n",
       kHeader + "[HKLM\\a\\" + Repeat('k', kMaxKeyNameLength + 1) + "]\n", 2,
       "key name 'kkkkkkkkkkkkkkkkkkkkkkkk...' longer than the limit of 255 characters"},
      {"value name", value + "\"" + Repeat('v', kMaxValueNameLength) + "\"=dword:1\n",
       value + "\"" + Repeat('v', kMaxValueNameLength + 1) + "\"=dword:1\n", 3,
       "value name 'vvvvvvvvvvvvvvvvvvvvvvvv...' longer than the limit of 16383 characters"},
      {"text data", value + "\"a\"=\"" + Repeat('x', text) + "\"\n",
       value + "\"a\"=\"" + Repeat('x', text + 1) + "\"\n", 3,
       "value data larger than the limit of 1048576 bytes"},
      {"hex data", value + "\"a\"=hex:" + HexLines(kMaxDataBytes),
       value + "\"a\"=hex:" + HexLines(kMaxDataBytes + 1), 3 + static_cast<int>(hexLinesBefore),
       "value data larger than the limit of 1048576 bytes"},
      {"UTF-16 text kept as UTF-8",
       "Windows Registry Editor Version 5.00\n" + kKeyLine + "\"a\"=hex(1):" +
           WideTextHex(kMaxDataBytes / 3),
       "Windows Registry Editor Version 5.00\n" + kKeyLine + "\"a\"=hex(1):" +
           WideTextHex(kMaxDataBytes / 3 + 1),
       3, "value data larger than the limit of 1048576 bytes"},
      {"nesting depth", kHeader + NestedKeys(kMaxKeyDepth), kHeader + NestedKeys(kMaxKeyDepth + 1),
       2, "key nested deeper than the limit of 512 levels"},
      // One line names every key of a chain, and the writer writes each
      // key's whole path: 130 KB would be written back as 33 MB.
      {"size written back", kHeader + LongNameChain(kLongestWritableChain),
       kHeader + LongNameChain(kLongestWritableChain + 1), 2,
       "store that would be written back larger than the limit of 33554432 bytes"},
      {"file size", FileOfSize(kMaxFileBytes), FileOfSize(kMaxFileBytes + 1),
       static_cast<int>(fileLines), "file larger than the limit of 33554432 bytes"},
  };
}

TEST(RegFileRobustnessTest, EachLimitAcceptsItsLimitAndRefusesOnePast) {
  for (const LimitCase& c : LimitCases()) {
    SCOPED_TRACE(c.limit);
    // Whatever is accepted can be written back and read again.
    try {
      const Key tree = ParseRegFile(c.atLimit, "t.reg");
      const std::string written = FormatRegFile(tree);
      EXPECT_LE(written.size(), kMaxFileBytes);
      CheckReadsBack(written, tree, "written.reg");
    } catch (const RegFileError& error) {
      ADD_FAILURE() << error.what();
    }
    try {
      ParseRegFile(c.pastLimit, "t.reg");
      ADD_FAILURE() << "parsed past the limit";
    } catch (const RegFileError& error) {
      EXPECT_EQ(std::string(error.what()), "t.reg:" + std::to_string(c.line) + ": " + c.reason);
    }
  }
}

}  // namespace
}  // namespace zorvanel::store
