// The store file's Windows file layer: the lock that keeps a second instance
// out, the write that replaces the file whole, the read that stops at the
// reader's limit, and the write-protected file.

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

const Key kTree{"HKEY_LOCAL_MACHINE", {}, {Key{"SOFTWARE", {{"v", registry::REG_SZ, {'x'}}}, {}}}};

class StoreFileWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    std::ofstream(path_, std::ios::binary) << "REGEDIT4\r\n";
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Stored() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Why the store cannot be opened, or "" when it can.
  std::string Refusal() const {
    try {
      StoreFile::Open(path_);
      return "";
    } catch (const StoreFileError& error) {
      return error.what();
    }
  }

  const fs::path dir_ = fs::temp_directory_path() /
                        ("zorvanel-store-" + std::to_string(::GetCurrentProcessId()));
  const std::string path_ = (dir_ / "store.reg").string();
};

TEST_F(StoreFileWin32Test, OneInstanceHoldsTheStoreReadsItWithinTheLimitAndReplacesItWhole) {
  {
    auto file = StoreFile::Open(path_);
    EXPECT_NE(Refusal().find("in use by another Zorvanel instance"), std::string::npos);
    ASSERT_TRUE(file->Write(kTree));
    EXPECT_EQ(Stored(), FormatRegFile(kTree));
    ASSERT_TRUE(file->Write(EmptyRoot()));
    EXPECT_EQ(ParseRegFile(Stored(), path_), EmptyRoot());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << "the lock is no file";
  }
  EXPECT_EQ(Refusal(), "");
  fs::resize_file(path_, 2 * kMaxFileBytes);  // read only as far as it takes to know
  EXPECT_NE(Refusal().find("file larger than the limit"), std::string::npos) << Refusal();
  fs::remove(path_);
  EXPECT_NE(Refusal(), "") << "a missing store";
}

// The replacement cannot be made (its name is taken by a folder): the write
// fails and the store is as it was.
TEST_F(StoreFileWin32Test, AFailedWriteKeepsThePreviousFile) {
  auto file = StoreFile::Open(path_);
  char pid[7];
  std::snprintf(pid, sizeof pid, "%06lx", ::GetCurrentProcessId() & 0xFFFFFFUL);
  fs::create_directory((dir_ / ".zorvanel-store.reg-").string() + pid);
  EXPECT_FALSE(file->Write(kTree));
  EXPECT_EQ(Stored(), "REGEDIT4\r\n");
}

TEST_F(StoreFileWin32Test, AWriteProtectedStoreIsOpenedReadOnly) {
  ASSERT_TRUE(::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
  std::string reported;
  auto file = StoreFile::Open(path_, false, [&](const std::string& text) { reported += text; });
  EXPECT_TRUE(file->ReadOnly());
  EXPECT_NE(reported.find("(it is write-protected); it is opened read-only."), std::string::npos)
      << reported;
  EXPECT_FALSE(file->Write(kTree));
  EXPECT_EQ(Stored(), "REGEDIT4\r\n");
  ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace zorvanel::store
