#include "platform/hive/HiveFile.h"

#include <hivex.h>

#include <malloc.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/hive/HiveCheck.h"
#include "platform/hive/HiveFormat.h"
#include "platform/hive/HiveImage.h"
#include "platform/hive/RegfCells.h"
#include "platform/hive/SubkeyLists.h"

namespace zorvanel::hive {

namespace {

using regf::kBaseBlockSize;
using regf::kBinsSize;
using regf::kMaxHiveBytes;
using regf::Le32;

// The base block, the first 4 KiB of a hive: the fields checked here.
constexpr std::size_t kPrimarySequence = 4;
constexpr std::size_t kSecondarySequence = 8;

std::string Refused(const std::string& path, const std::string& why) {
  return "The registry file " + path + " cannot be used: " + why +
         ". It has been left as it was.";
}

// The whole file, read once: every check and libhivex use these bytes.
HiveImage ReadHive(const std::string& path) {
  std::string why;
  auto image = HiveImage::Read(path, kMaxHiveBytes, &why);
  if (!image) throw HiveFileError(Refused(path, why));
  return std::move(*image);
}

// What hivex does not check itself before it reads: the signature, and a
// file cut short of the bins its header announces.
void CheckBaseBlock(const std::string& path, std::string_view hive) {
  if (hive.size() < kBaseBlockSize || hive.compare(0, 4, "regf") != 0) {
    throw HiveFileError(Refused(path, "it is not a Windows registry hive"));
  }
  if (hive.size() < kBaseBlockSize + std::uint64_t{Le32(hive, kBinsSize)}) {
    throw HiveFileError(Refused(path, "it is truncated"));
  }
}

// Windows raises the first sequence number before it writes a hive and the
// second once the write is complete. When they differ, the hive's log may
// hold changes that the hive lacks, and only Windows can replay them.
std::string DirtyReason(const std::string& path, std::string_view head) {
  if (Le32(head, kPrimarySequence) == Le32(head, kSecondarySequence)) return "";
  return "The registry file " + path +
         " was not written back cleanly when Windows last ran, so its log may hold changes "
         "that the file lacks. Zorvanel opens it read-only. To fix it, start Windows and shut "
         "it down normally.";
}

// libhivex holds a hive in one block of memory and grows it with realloc.
// A block in a mapping of its own grows by remapping, where it is; one in
// the heap is copied whole into new memory when it cannot grow there, which
// costs about what reading the hive did. glibc maps blocks above a
// threshold on their own, but raises the threshold as large blocks are
// freed; a fixed one keeps hives in their own mappings.
void KeepLargeBlocksMapped() {
  static const int once = ::mallopt(M_MMAP_THRESHOLD, 1 << 20);
  static_cast<void>(once);
}

// Null, with errno set, when libhivex cannot open the hive. Without /proc
// to name the image by, libhivex reads the file itself.
hive_h* OpenWithHivex(const std::string& path, const HiveImage& image, bool writable) {
  KeepLargeBlocksMapped();
  const int flags = writable ? HIVEX_OPEN_WRITE : 0;
  hive_h* hive = hivex_open(image.Name().c_str(), flags);
  if (!hive && errno == ENOENT) hive = hivex_open(path.c_str(), flags);
  return hive;
}

// Why the whole hive may not be written: it is damaged somewhere that
// libhivex has not yet read. Empty when it is sound.
std::string DamageReason(const std::string& path, std::string_view bytes) {
  const auto damage = CheckWholeHive(bytes);
  return damage ? DamagedHiveMessage(path, *damage) : "";
}

}  // namespace

std::unique_ptr<HiveFile> HiveFile::Open(const std::string& path, Report report) {
  if (!report) {
    report = [](const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); };
  }
  std::unique_ptr<HiveFile> file(new HiveFile(files::ResolvePath(path), std::move(report)));
  const HiveImage image = ReadHive(file->path_);
  const std::string_view bytes = image.Bytes();
  CheckBaseBlock(file->path_, bytes);
  const HiveFormat format = ReadFormat(bytes);
  if (const auto why = UnreadableFormat(format); !why.empty()) throw HiveFileError(Refused(path, why));
  file->fastLeafLists_ = NeedsFastLeafLists(format);
  file->readOnlyReason_ = DirtyReason(file->path_, bytes);
  if (!file->ReadOnly()) file->readOnlyReason_ = UnwritableFormat(file->path_, format);
  if (const auto why = files::WhyNotReplaceable(file->path_); why && file->readOnlyReason_.empty()) {
    file->readOnlyReason_ = "The registry file " + file->path_ + " cannot be changed (" +
                            why->Text() + "); Zorvanel opens it read-only.";
  }
  if (!file->ReadOnly()) {
    for (const char* suffix : {"", kOriginalSuffix, kBeforeSuffix}) {
      files::RemoveInterruptedReplaces(file->path_ + suffix);
    }
  }
  file->hive_ = OpenWithHivex(file->path_, image, !file->ReadOnly());
  if (!file->hive_) {
    const int error = errno;
    throw HiveFileError(Refused(path, error == ENOTSUP || error == EINVAL
                                          ? "it is not a sound Windows registry hive"
                                          : std::strerror(error)));
  }
  if (!file->ReadOnly()) file->readOnlyReason_ = DamageReason(file->path_, bytes);
  return file;
}

HiveFile::~HiveFile() {
  if (hive_) hivex_close(hive_);
}

std::optional<files::Failure> HiveFile::KeepCopy(const char* suffix) {
  const std::string copy = path_ + suffix;
  struct stat info {};
  if (suffix == kOriginalSuffix && ::lstat(copy.c_str(), &info) == 0) return std::nullopt;
  std::string bytes;
  bool missing = false;
  if (auto failure = files::ReadAtMost(path_, kMaxHiveBytes, bytes, &missing)) {
    return files::Failure{"reading it to keep a copy: " + failure->step, failure->code};
  }
  auto failure = suffix == kOriginalSuffix ? files::CreateWhole(copy, bytes)
                                           : files::ReplaceAtomically(copy, bytes);
  if (failure) return files::Failure{"keeping a copy as " + copy + ": " + failure->step, failure->code};
  return std::nullopt;
}

// The original is a real copy: a link would share the hive's file until the
// rename, and Windows writes its hives in place. This session's copy is the
// replaced file itself, linked under its name: nothing is copied, where the
// file system has hard links.
std::optional<files::Failure> HiveFile::Replace() {
  const auto write = [this](const std::string& temporary) { return WriteTo(temporary); };
  if (copiesKept_) return files::ReplaceByName(path_, write);
  if (auto failure = KeepCopy(kOriginalSuffix)) return failure;
  bool noLinks = false;
  auto failure = files::ReplaceByNameKeepingOld(path_, path_ + kBeforeSuffix, write, &noLinks);
  if (!failure && noLinks) {
    failure = KeepCopy(kBeforeSuffix);
    if (!failure) failure = files::ReplaceByName(path_, write);
  }
  if (!failure) copiesKept_ = true;
  return failure;
}

std::optional<files::Failure> HiveFile::WriteTo(const std::string& temporary) {
  if (hivex_commit(hive_, temporary.c_str(), 0) != 0) return files::Failure{"writing the new file", errno};
  if (fastLeafLists_) return ToFastLeafListsIn(temporary);
  return std::nullopt;
}

bool HiveFile::Commit() {
  if (!changed_) return true;
  const auto failure = Replace();
  if (!failure) {
    changed_ = false;
    return true;
  }
  report_("Cannot write the registry file " + path_ + ": " + failure->Text() + ".");
  Discard();
  return false;
}

void HiveFile::Discard() {
  changed_ = false;
  std::string why;
  const auto image = HiveImage::Read(path_, kMaxHiveBytes, &why);
  hive_h* again = image ? OpenWithHivex(path_, *image, !ReadOnly()) : nullptr;
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
