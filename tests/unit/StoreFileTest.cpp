#include "platform/store/StoreFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/store/RegFile.h"

namespace zorvanel::store {
namespace {

namespace fs = std::filesystem;

class StoreFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "/storefile-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = fs::canonical(pattern);  // as the store names itself in messages
    path_ = (dir_ / "store.reg").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // Everything in the directory but the store: leftovers of a write, locks.
  std::vector<std::string> StrayFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      std::string name = entry.path().filename().string();
      if (name != "store.reg") names.push_back(name);
    }
    return names;
  }
  static Key SampleTree() {
    return Key{"HKEY_LOCAL_MACHINE", {}, {Key{"Soft", {{"v", registry::REG_DWORD, {1, 2, 3, 4}}}, {}}}};
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(StoreFileTest, MissingFileIsAnErrorUnlessCreating) {
  try {
    StoreFile::Open(path_);
    ADD_FAILURE() << "opened a missing store";
  } catch (const StoreFileError& error) {
    EXPECT_NE(std::string(error.what()).find("Cannot open the store " + path_), std::string::npos)
        << error.what();
  }

  auto store = StoreFile::Open(path_, true);
  EXPECT_EQ(store->TakeContent(), EmptyRoot());
  EXPECT_FALSE(fs::exists(path_)) << "an empty store is written only at the first change";
}

TEST_F(StoreFileTest, WriteReplacesTheFileAndReopenReadsItBack) {
  {
    auto store = StoreFile::Open(path_, true);
    ASSERT_TRUE(store->Write(SampleTree()));
  }
  EXPECT_EQ(ReadFile(path_), FormatRegFile(SampleTree()));
  EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);
  EXPECT_TRUE(StrayFiles().empty());
  EXPECT_EQ(StoreFile::Open(path_)->TakeContent(), SampleTree());
}

TEST_F(StoreFileTest, WriteKeepsTheStoresPermissions) {
  WriteFile(path_, "REGEDIT4\r\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(StoreFile::Open(path_)->Write(SampleTree()));
  EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

// The lock belongs to the file, not to the name: a link, a hard link or the
// name after a write all lead a second instance to it. No lock file is left
// beside the store.
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
      {"through a hard link", "hard.reg", false},
      {"same name after a write", "store.reg", true},
      {"hard link to the file as opened, after a write", "hard.reg", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    WriteFile(path_, "REGEDIT4\r\n");
    fs::remove(dir_ / "hard.reg");
    fs::create_hard_link(path_, dir_ / "hard.reg");
    auto first = StoreFile::Open(path_, true);
    if (c.firstWrites) {
      ASSERT_TRUE(first->Write(SampleTree()));
    }
    const std::string second = (dir_ / c.secondPath).string();
    try {
      StoreFile::Open(second, true);
      ADD_FAILURE() << "a second instance opened the store";
    } catch (const StoreFileError& error) {
      EXPECT_EQ(std::string(error.what()),
                "The store " + second + " is in use by another Zorvanel instance.");
    }
    first.reset();
    EXPECT_NO_THROW(StoreFile::Open(second, true));
  }
  fs::remove(dir_ / "hard.reg");
  fs::remove(dir_ / "link.reg");
  EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(StoreFileTest, MalformedFileIsRefusedAndLeftAlone) {
  const std::string bytes = "REGEDIT4\r\n\r\n\"v\"=dword:1\r\n";
  WriteFile(path_, bytes);
  try {
    StoreFile::Open(path_, true);
    ADD_FAILURE() << "opened a malformed store";
  } catch (const StoreFileError& error) {
    EXPECT_NE(std::string(error.what()).find(path_ + ":3: value outside a key"), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(ReadFile(path_), bytes);

  // The refused open has let go of the lock.
  WriteFile(path_, "REGEDIT4\r\n");
  EXPECT_NO_THROW(StoreFile::Open(path_));
}

TEST_F(StoreFileTest, FailedWriteLeavesThePreviousFile) {
  struct Case {
    const char* label;
    void (*breakStore)(const fs::path& dir, const std::string& path);
    fs::path survivor;  // relative to the test directory
    std::string reason;  // the failing step and the system's error, as reported
  };
  // The directory moving away makes the temporary file impossible; a
  // directory in the store's place makes the final rename fail.
  const Case cases[] = {
      {"directory gone", [](const fs::path& dir, const std::string&) {
         fs::rename(dir / "sub", dir / "moved");
       }, "moved/store.reg", "it may not be replaced: its folder cannot be written: No such file or directory (errno 2)"},
      {"rename refused", [](const fs::path&, const std::string& path) {
         fs::rename(path, path + ".old");
         fs::create_directories(path + "/occupied");
       }, "sub/store.reg.old", "it may not be replaced: it is not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    fs::remove_all(dir_ / "sub");
    fs::remove_all(dir_ / "moved");
    fs::create_directory(dir_ / "sub");
    const std::string path = (dir_ / "sub" / "store.reg").string();
    const std::string before = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Old]\r\n\r\n";
    WriteFile(path, before);

    std::vector<std::string> reports;
    auto store = StoreFile::Open(path, false, [&reports](const std::string& message) {
      reports.push_back(message);
    });
    c.breakStore(dir_, path);
    EXPECT_FALSE(store->Write(SampleTree()));
    EXPECT_EQ(ReadFile(dir_ / c.survivor), before);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind("Cannot write the store " + path + ": " + c.reason, 0), 0u)
        << reports[0];
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      EXPECT_EQ(entry.path().string().find(".zorvanel-"), std::string::npos) << entry.path();
    }
  }
}

}  // namespace
}  // namespace zorvanel::store
