#pragma once
// A fresh directory under the test's temporary folder, removed with all it
// holds when the test is done.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace zorvanel::robust {

class TempDirectory {
 public:
  explicit TempDirectory(const std::string& prefix) {
    std::string pattern = ::testing::TempDir() + "/" + prefix + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp " + pattern);
    path_ = std::filesystem::canonical(pattern);  // as the store names itself
  }
  ~TempDirectory() { std::filesystem::remove_all(path_); }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace zorvanel::robust
