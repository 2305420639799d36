#include "platform/hive/MountInfo.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zorvanel::hive {

namespace {

// The kernel's own file systems: views of the kernel, never of a disk.
constexpr std::string_view kKernelFileSystems[] = {
    "autofs",   "binfmt_misc", "bpf",        "cgroup",    "cgroup2", "configfs", "debugfs",
    "devpts",   "devtmpfs",    "efivarfs",   "fusectl",   "hugetlbfs", "mqueue", "nsfs",
    "proc",     "pstore",      "rpc_pipefs", "securityfs", "selinuxfs", "sysfs",  "tracefs"};

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

// The kernel writes a blank, a tab, a line end and a backslash in a path as
// \040, \011, \012 and \134.
std::string Unescaped(std::string_view field) {
  std::string text;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
        IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
      text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      text += field[i];
    }
  }
  return text;
}

}  // namespace

// A line: ID PARENT MAJOR:MINOR ROOT MOUNT-POINT OPTIONS [OPTIONAL...] - TYPE SOURCE SUPER-OPTIONS
std::vector<Mount> MountedFileSystems(std::string_view mountinfo) {
  std::vector<Mount> mounts;
  std::istringstream lines{std::string(mountinfo)};
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::vector<std::string> words;
    for (std::string word; fields >> word;) words.push_back(word);
    const auto separator = std::find(words.begin(), words.end(), "-");
    if (words.size() < 6 || separator - words.begin() < 6 || words.end() - separator < 2) continue;
    const std::string& type = separator[1];
    if (std::ranges::find(kKernelFileSystems, type) != std::end(kKernelFileSystems)) continue;
    mounts.push_back({Unescaped(words[4]), type});
  }
  return mounts;
}

std::string ReadMountInfo() {
  std::ifstream file("/proc/self/mountinfo");
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace zorvanel::hive
