// The store file reader against input from outside: each of its limits, at
// the limit and one past it, and the store file's handling of a store beyond
// them. The reader is fuzzed as well (fuzz/); any crash the fuzzer finds
// becomes a case here.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/store/RegFile.h"
#include "platform/store/StoreFile.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/TempDirectory.h"

namespace zorvanel::store {
namespace {

namespace fs = std::filesystem;

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

class StoreBeyondALimitTest : public ::testing::Test {
 protected:
  robust::TempDirectory dir_{"limits"};
  std::string path_ = (dir_ / "store.reg").string();
};

TEST_F(StoreBeyondALimitTest, IsRefusedLikeAMalformedStoreAndLeftAlone) {
  const std::string bytes = kHeader + "[HKLM\\" + Repeat('k', kMaxKeyNameLength + 1) + "]\n";
  std::ofstream(path_, std::ios::binary) << bytes;
  try {
    StoreFile::Open(path_);
    ADD_FAILURE() << "opened a store beyond a limit";
  } catch (const StoreFileError& error) {
    EXPECT_EQ(std::string(error.what()).find("The store cannot be read: " + path_ + ":2: key name"),
              0u)
        << error.what();
  }
  EXPECT_EQ(replay::ReadFile(path_), bytes);
}

// Only as much of a huge file is read as it takes to know it is too large.
TEST_F(StoreBeyondALimitTest, HugeFileIsRefusedWithoutReadingItAll) {
  {
    std::ofstream(path_, std::ios::binary) << kHeader;
  }
  fs::resize_file(path_, std::uintmax_t{1} << 40);  // a terabyte, sparse
  try {
    StoreFile::Open(path_);
    ADD_FAILURE() << "opened a huge store";
  } catch (const StoreFileError& error) {
    EXPECT_NE(std::string(error.what()).find("file larger than the limit of 33554432 bytes"),
              std::string::npos)
        << error.what();
  }
  EXPECT_EQ(fs::file_size(path_), std::uintmax_t{1} << 40);
}

// A change the file cannot carry is refused rather than written: the next
// start would refuse the store, or read something else.
TEST_F(StoreBeyondALimitTest, TreeThatWouldNotReadBackIsNeverWritten) {
  const std::string before = kHeader + kKeyLine;
  std::ofstream(path_, std::ios::binary) << before;
  auto file = StoreFile::Open(path_);
  struct Case {
    const char* label;
    Key root;
  };
  const Key base = file->TakeContent();
  auto with = [&base](Key subkey) {
    Key root = base;
    root.subkeys.push_back(std::move(subkey));
    return root;
  };
  const Case cases[] = {
      {"key name too long", with(Key{Repeat('k', kMaxKeyNameLength + 1), {}, {}})},
      {"value name too long",
       with(Key{"L", {Value{Repeat('v', kMaxValueNameLength + 1), registry::REG_DWORD, {1, 0, 0, 0}}}, {}})},
      {"line break in a key name", with(Key{"a\nb", {}, {}})},
      {"line break in a value name",
       with(Key{"L", {Value{"a\n[HKEY_LOCAL_MACHINE\\Injected]", registry::REG_DWORD, {1, 0, 0, 0}}}, {}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_FALSE(file->Write(c.root));
    EXPECT_EQ(replay::ReadFile(path_), before);
  }
}

}  // namespace
}  // namespace zorvanel::store
