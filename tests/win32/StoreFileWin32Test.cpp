// The store file's Windows variant: the lock that keeps a second instance
// out, and the write that replaces the file whole.

#include <gtest/gtest.h>

#include <cstdio>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/store/RegFile.h"
#include "platform/store/StoreFile.h"
#include "platform/win32/WindowsApi.h"

namespace zorvanel::store {
namespace {

namespace fs = std::filesystem;

class StoreFileWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zorvanel-store-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "store.reg").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::size_t FilesInDirectory() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(StoreFileWin32Test, ASecondInstanceIsRefusedWhileTheFirstHoldsTheStore) {
  std::ofstream(path_, std::ios::binary) << "REGEDIT4\r\n";
  {
    auto first = StoreFile::Open(path_);
    try {
      StoreFile::Open(path_);
      ADD_FAILURE() << "the second instance was let in";
    } catch (const StoreFileError& error) {
      EXPECT_NE(std::string(error.what()).find("in use by another Zorvanel instance"),
                std::string::npos)
          << error.what();
    }
  }
  EXPECT_NO_THROW(StoreFile::Open(path_));
}

TEST_F(StoreFileWin32Test, WriteReplacesTheStoreWholeAndLeavesNothingBehind) {
  auto file = StoreFile::Open(path_, /*createIfMissing=*/true);
  const Key tree{"HKEY_LOCAL_MACHINE", {}, {Key{"SOFTWARE", {{"v", registry::REG_SZ, {'x'}}}, {}}}};
  ASSERT_TRUE(file->Write(tree));
  EXPECT_EQ(ReadFile(path_), FormatRegFile(tree));
  ASSERT_TRUE(file->Write(EmptyRoot()));
  EXPECT_EQ(ParseRegFile(ReadFile(path_), path_), EmptyRoot());
  EXPECT_EQ(FilesInDirectory(), 1u);  // the store alone: the lock is no file
}

TEST_F(StoreFileWin32Test, AStoreThatCannotBeReadIsNeverOverwritten) {
  EXPECT_THROW(StoreFile::Open(path_), StoreFileError);  // missing
  std::ofstream(path_, std::ios::binary) << "not a registry file\r\n";
  EXPECT_THROW(StoreFile::Open(path_), StoreFileError);
  EXPECT_EQ(ReadFile(path_), "not a registry file\r\n");
}

// The replacement cannot be made (its name is taken by a folder): the write
// fails and the store is as it was.
TEST_F(StoreFileWin32Test, AFailedWriteKeepsThePreviousFile) {
  std::ofstream(path_, std::ios::binary) << "REGEDIT4\r\n";
  auto file = StoreFile::Open(path_);
  char pid[7];
  std::snprintf(pid, sizeof pid, "%06lx", ::GetCurrentProcessId() & 0xFFFFFFUL);
  fs::create_directory((dir_ / ".zorvanel-store.reg-").string() + pid);
  EXPECT_FALSE(file->Write(Key{"HKEY_LOCAL_MACHINE", {}, {Key{"SOFTWARE", {}, {}}}}));
  EXPECT_EQ(ReadFile(path_), "REGEDIT4\r\n");
}

// A write-protected store is opened read-only and left as it is.
TEST_F(StoreFileWin32Test, AWriteProtectedStoreIsOpenedReadOnly) {
  std::ofstream(path_, std::ios::binary) << "REGEDIT4\r\n";
  ASSERT_TRUE(::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
  std::string reported;
  auto file = StoreFile::Open(path_, false, [&](const std::string& text) { reported += text; });
  EXPECT_TRUE(file->ReadOnly());
  EXPECT_NE(reported.find("(it is write-protected); it is opened read-only."), std::string::npos)
      << reported;
  EXPECT_FALSE(file->Write(Key{"HKEY_LOCAL_MACHINE", {}, {Key{"SOFTWARE", {}, {}}}}));
  EXPECT_EQ(ReadFile(path_), "REGEDIT4\r\n");
  ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A store is read only as far as it takes to know it is too large, and a
// tree that would not read back is never written.
TEST_F(StoreFileWin32Test, KeepsToTheReadersLimits) {
  std::ofstream(path_, std::ios::binary) << "REGEDIT4\r\n";
  fs::resize_file(path_, 2 * kMaxFileBytes);
  try {
    StoreFile::Open(path_);
    ADD_FAILURE() << "opened a huge store";
  } catch (const StoreFileError& error) {
    EXPECT_NE(std::string(error.what()).find("file larger than the limit"), std::string::npos)
        << error.what();
  }

  fs::resize_file(path_, 10);
  auto store = StoreFile::Open(path_);
  const Key unreadable{"HKEY_LOCAL_MACHINE", {}, {Key{"a\nb", {}, {}}}};
  EXPECT_FALSE(store->Write(unreadable));
  EXPECT_EQ(ReadFile(path_), "REGEDIT4\r\n");
}

}  // namespace
}  // namespace zorvanel::store
