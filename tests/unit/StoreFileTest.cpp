#include "platform/store/StoreFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/store/RegFile.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/TempDirectory.h"

namespace zorvanel::store {
namespace {

namespace fs = std::filesystem;
using replay::ReadFile;

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The message of the StoreFileError that opening the path throws.
std::string OpenError(const std::string& path, bool create = false) {
  try {
    StoreFile::Open(path, create);
  } catch (const StoreFileError& error) {
    return error.what();
  }
  return "opened";
}

const Key kTree{"HKEY_LOCAL_MACHINE", {}, {Key{"Soft", {{"v", registry::REG_DWORD, {1, 2, 3, 4}}}, {}}}};

class StoreFileTest : public ::testing::Test {
 protected:
  // Everything in the directory but the store: leftovers of a write, locks.
  std::vector<std::string> StrayFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.Path())) {
      if (entry.path().filename() != "store.reg") names.push_back(entry.path().filename());
    }
    return names;
  }

  robust::TempDirectory dir_{"storefile"};
  std::string path_ = (dir_ / "store.reg").string();
};

TEST_F(StoreFileTest, MissingFileIsAnErrorUnlessCreating) {
  EXPECT_EQ(OpenError(path_).find("Cannot open the store " + path_), 0u) << OpenError(path_);
  EXPECT_EQ(StoreFile::Open(path_, true)->TakeContent(), EmptyRoot());
  EXPECT_FALSE(fs::exists(path_)) << "an empty store is written only at the first change";
}

// A new store is readable by all; a store's own permissions are kept.
TEST_F(StoreFileTest, WriteReplacesTheFileKeepingItsPermissionsAndReopenReadsItBack) {
  const auto mode = [this] { return fs::status(path_).permissions() & fs::perms::all; };
  using enum fs::perms;
  ASSERT_TRUE(StoreFile::Open(path_, true)->Write(kTree));
  EXPECT_EQ(ReadFile(path_), FormatRegFile(kTree));
  EXPECT_EQ(mode(), owner_read | owner_write | group_read | others_read);
  EXPECT_TRUE(StrayFiles().empty());
  EXPECT_EQ(StoreFile::Open(path_)->TakeContent(), kTree);

  fs::permissions(path_, owner_read | owner_write);
  ASSERT_TRUE(StoreFile::Open(path_)->Write(Key{"HKEY_LOCAL_MACHINE", {}, {}}));
  EXPECT_EQ(mode(), owner_read | owner_write);
}

// The lock belongs to the resolved path: a link or the name after a write
// leads a second instance to it. No lock file is left beside the store.
TEST_F(StoreFileTest, SecondInstanceIsRefusedWhicheverWayItComesUntilTheFirstCloses) {
  fs::create_symlink("store.reg", dir_ / "link.reg");
  struct Case {
    const char* label;
    const char* secondPath;  // in the test directory
    bool firstWrites;
  };
  const Case cases[] = {
      {"same name", "store.reg", false},
      {"through a link", "link.reg", false},
      {"same name after a write", "store.reg", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    WriteFile(path_, "REGEDIT4\r\n");
    auto first = StoreFile::Open(path_, true);
    if (c.firstWrites) {
      ASSERT_TRUE(first->Write(kTree));
    }
    const std::string second = (dir_ / c.secondPath).string();
    EXPECT_EQ(OpenError(second, true),
              "The store " + second + " is in use by another Zorvanel instance.");
    first.reset();
    EXPECT_NO_THROW(StoreFile::Open(second, true));
  }
  fs::remove(dir_ / "link.reg");
  EXPECT_TRUE(StrayFiles().empty());
}

// A store that is malformed or beyond one of the reader's limits is refused
// with its place and reason, left as it was, and its lock let go.
TEST_F(StoreFileTest, UnreadableStoreIsRefusedAndLeftAlone) {
  const std::pair<std::string, std::string> cases[] = {
      {"REGEDIT4\r\n\r\n\"v\"=dword:1\r\n", ":3: value outside a key"},
      {"REGEDIT4\n[HKLM\\" + std::string(kMaxKeyNameLength + 1, 'k') + "]\n", ":2: key name"},
  };
  for (const auto& [bytes, reason] : cases) {
    SCOPED_TRACE(reason);
    WriteFile(path_, bytes);
    EXPECT_EQ(OpenError(path_, true).find("The store cannot be read: " + path_ + reason), 0u)
        << OpenError(path_, true);
    EXPECT_EQ(ReadFile(path_), bytes);
    WriteFile(path_, "REGEDIT4\r\n");
    EXPECT_NO_THROW(StoreFile::Open(path_));
  }
}

// Only as much of a huge file is read as it takes to know it is too large.
TEST_F(StoreFileTest, HugeFileIsRefusedWithoutReadingItAll) {
  WriteFile(path_, "REGEDIT4\n");
  fs::resize_file(path_, std::uintmax_t{1} << 40);  // a terabyte, sparse
  EXPECT_NE(OpenError(path_).find("file larger than the limit of 33554432 bytes"), std::string::npos);
  EXPECT_EQ(fs::file_size(path_), std::uintmax_t{1} << 40);
}

// A change the file cannot carry is refused rather than written: the next
// start would refuse the store, or read something else.
TEST_F(StoreFileTest, TreeThatWouldNotReadBackIsNeverWritten) {
  const std::string before = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n";
  WriteFile(path_, before);
  auto file = StoreFile::Open(path_);
  const Key base = file->TakeContent();
  const auto with = [&base](const std::string& key, const std::string& value) {
    Key root = base;
    root.subkeys.push_back(Key{key, {}, {}});
    if (!value.empty()) root.subkeys.back().values.push_back({value, registry::REG_DWORD, {1, 0, 0, 0}});
    return root;
  };
  const std::pair<const char*, Key> cases[] = {
      {"key name too long", with(std::string(kMaxKeyNameLength + 1, 'k'), "")},
      {"value name too long", with("L", std::string(kMaxValueNameLength + 1, 'v'))},
      {"line break in a key name", with("a\nb", "")},
      {"line break in a value name", with("L", "a\n[HKEY_LOCAL_MACHINE\\Injected]")},
  };
  for (const auto& [label, root] : cases) {
    SCOPED_TRACE(label);
    EXPECT_FALSE(file->Write(root));
    EXPECT_EQ(ReadFile(path_), before);
  }
}

// A directory in the store's place makes the final rename fail: the report
// names the step, and the previous file and no temporary file are left. (The
// robust tests take the store's folder away.)
TEST_F(StoreFileTest, FailedWriteLeavesThePreviousFile) {
  const std::string before = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Old]\r\n\r\n";
  WriteFile(path_, before);
  std::vector<std::string> reports;
  auto store = StoreFile::Open(path_, false, [&reports](const std::string& message) {
    reports.push_back(message);
  });
  fs::rename(path_, path_ + ".old");
  fs::create_directories(path_ + "/occupied");
  EXPECT_FALSE(store->Write(kTree));
  EXPECT_EQ(ReadFile(path_ + ".old"), before);
  EXPECT_EQ(reports, std::vector<std::string>{"Cannot write the store " + path_ +
                                              ": it may not be replaced: it is not a regular file."});
  for (const auto& entry : fs::recursive_directory_iterator(dir_.Path())) {
    EXPECT_EQ(entry.path().string().find(".zorvanel-"), std::string::npos) << entry.path();
  }
}

}  // namespace
}  // namespace zorvanel::store
