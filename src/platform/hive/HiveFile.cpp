#include "platform/hive/HiveFile.h"

#include <hivex.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include <unistd.h>

#include <cstdlib>

namespace zorvanel::hive {

namespace {

// The base block, the first 4 KiB of a hive: the fields checked here.
constexpr std::size_t kBaseBlockSize = 4096;
constexpr std::size_t kPrimarySequence = 4;
constexpr std::size_t kSecondarySequence = 8;
constexpr std::size_t kBinsSize = 0x28;
// hivex holds a whole hive in memory; Windows XP's largest hives are some
// tens of megabytes.
constexpr std::size_t kMaxHiveBytes = 512u * 1024 * 1024;

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::string Refused(const std::string& path, const std::string& why) {
  return "The registry file " + path + " cannot be used: " + why +
         ". It has been left as it was.";
}

// What hivex does not check itself before it reads: the signature, and a
// file cut short of the bins its header announces. Returns the base block.
std::string CheckBaseBlock(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) throw HiveFileError(Refused(path, error.message()));
  if (size > kMaxHiveBytes) throw HiveFileError(Refused(path, "it is larger than any hive"));
  std::string head;
  bool missing = false;
  if (const auto failure = files::ReadAtMost(path, kBaseBlockSize, head, &missing)) {
    throw HiveFileError(Refused(path, failure->Text()));
  }
  if (head.size() < kBaseBlockSize || head.compare(0, 4, "regf") != 0) {
    throw HiveFileError(Refused(path, "it is not a Windows registry hive"));
  }
  if (size < kBaseBlockSize + std::uint64_t{Le32(head, kBinsSize)}) {
    throw HiveFileError(Refused(path, "it is truncated"));
  }
  return head;
}

// Windows raises the first sequence number before it writes a hive and the
// second once the write is complete. When they differ, the hive's log may
// hold changes that the hive lacks, and only Windows can replay them.
std::string DirtyReason(const std::string& path, const std::string& head) {
  if (Le32(head, kPrimarySequence) == Le32(head, kSecondarySequence)) return "";
  return "The registry file " + path +
         " was not written back cleanly when Windows last ran, so its log may hold changes "
         "that the file lacks. Zorvanel opens it read-only. To fix it, start Windows and shut "
         "it down normally.";
}

hive_h* OpenWithHivex(const std::string& path, bool writable) {
  hive_h* hive = hivex_open(path.c_str(), writable ? HIVEX_OPEN_WRITE : 0);
  if (!hive) {
    const int error = errno;
    throw HiveFileError(Refused(path, error == ENOTSUP || error == EINVAL
                                          ? "it is not a sound Windows registry hive"
                                          : std::strerror(error)));
  }
  return hive;
}

}  // namespace

std::unique_ptr<HiveFile> HiveFile::Open(const std::string& path) {
  std::unique_ptr<HiveFile> file(new HiveFile(files::ResolvePath(path)));
  files::Failure failure;
  switch (file->lock_.Take(file->path_, &failure)) {
    case files::FileLock::Status::kHeld: break;
    case files::FileLock::Status::kInUse:
      throw HiveFileError("The registry file " + path + " is in use by another Zorvanel instance.");
    case files::FileLock::Status::kFailed:
      throw HiveFileError("Cannot lock the registry file " + path + ": " + failure.Text());
  }
  const std::string head = CheckBaseBlock(file->path_);
  file->readOnlyReason_ = DirtyReason(file->path_, head);
  if (const auto why = files::WhyNotReplaceable(file->path_); why && file->readOnlyReason_.empty()) {
    file->readOnlyReason_ = "The registry file " + file->path_ + " cannot be changed (" +
                            why->Text() + "); Zorvanel opens it read-only.";
  }
  if (!file->ReadOnly()) {
    files::RemoveInterruptedReplaces(file->path_);
    files::RemoveInterruptedReplaces(file->path_ + kOriginalSuffix);
  }
  file->hive_ = OpenWithHivex(file->path_, !file->ReadOnly());
  return file;
}

HiveFile::~HiveFile() {
  if (hive_) hivex_close(hive_);
}

// The copy appears whole or not at all, and never over an earlier one.
bool HiveFile::KeepOriginal() const {
  std::string bytes;
  bool missing = false;
  if (files::ReadAtMost(path_, kMaxHiveBytes, bytes, &missing)) return false;
  return !files::CreateWhole(path_ + kOriginalSuffix, bytes);
}

// libhivex writes a hive only to a file it names; it writes to a private
// temporary file here, and the file layer then puts the bytes in place.
bool HiveFile::CommittedBytes(std::string& bytes) const {
  std::string temp = (std::filesystem::temp_directory_path() / "zorvanel-hive-XXXXXX").string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  ::close(fd);
  bool missing = false;
  const bool done = hivex_commit(hive_, temp.c_str(), 0) == 0 &&
                    !files::ReadAtMost(temp, kMaxHiveBytes, bytes, &missing);
  ::unlink(temp.c_str());
  return done;
}

bool HiveFile::Commit() {
  std::string bytes;
  const bool done = CommittedBytes(bytes) && KeepOriginal() &&
                    !files::ReplaceAtomically(path_, bytes, &lock_);
  if (!done) Discard();
  return done;
}

void HiveFile::Discard() {
  hive_h* again = hivex_open(path_.c_str(), ReadOnly() ? 0 : HIVEX_OPEN_WRITE);
  if (!again) {
    // The file is as it was, but what is in memory may not be: no more changes.
    readOnlyReason_ = "The registry file " + path_ + " could not be read again after a failed "
                      "change. Zorvanel makes no further changes to it.";
    return;
  }
  hivex_close(hive_);
  hive_ = again;
}

}  // namespace zorvanel::hive
