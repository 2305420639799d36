#include "platform/store/StoreFile.h"

#include <cstdio>
#include <utility>

#include "platform/store/RegFile.h"

namespace zorvanel::store {

namespace {

// Reads no more than one byte past the largest store the reader accepts,
// which is enough for the reader to refuse it.
constexpr std::size_t kSizeMargin = 64 * 1024;

Key ReadStore(const std::string& path, bool createIfMissing, std::size_t* size) {
  std::string bytes;
  bool missing = false;
  const auto failure = files::ReadAtMost(path, kMaxFileBytes + 1, bytes, &missing);
  if (missing && createIfMissing) return EmptyRoot();
  if (failure) throw StoreFileError("Cannot open the store " + path + ": " + failure->Text());
  *size = bytes.size();
  try {
    return ParseRegFile(bytes, path);
  } catch (const RegFileError& error) {
    throw StoreFileError("The store cannot be read: " + std::string(error.what()));
  }
}

}  // namespace

std::unique_ptr<StoreFile> StoreFile::Open(const std::string& path, bool createIfMissing,
                                           Report report) {
  if (!report) {
    report = [](const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); };
  }
  std::unique_ptr<StoreFile> file(new StoreFile(files::ResolvePath(path), std::move(report)));
  files::Failure failure;
  switch (file->lock_.Take(file->path_, &failure)) {
    case files::FileLock::Status::kHeld: break;
    case files::FileLock::Status::kInUse:
      throw StoreFileError("The store " + path + " is in use by another Zorvanel instance.");
    case files::FileLock::Status::kFailed:
      throw StoreFileError("Cannot lock the store " + path + ": " + failure.Text());
  }
  file->content_ = ReadStore(file->path_, createIfMissing, &file->size_);
  if (const auto why = files::WhyNotReplaceable(file->path_)) {
    file->readOnly_ = true;
    file->report_("The store " + file->path_ + " cannot be changed (" + why->Text() +
                  "); it is opened read-only.");
  } else {
    files::RemoveInterruptedReplaces(file->path_);
  }
  return file;
}

StoreFile::StoreFile(std::string path, Report report)
    : path_(std::move(path)), report_(std::move(report)) {}

StoreFile::~StoreFile() = default;

bool StoreFile::Write(const Key& root) {
  if (readOnly_) return false;  // said once, at the open
  const std::string bytes = FormatRegFile(root, size_ + size_ / 8 + kSizeMargin);
  // What is written must read back as the very same tree. A store beyond
  // the reader's limits (a name or a value too long, a file too large), or
  // with a name the format cannot carry (one with a line break), would be
  // refused or misread at the next start, so it is never written.
  try {
    CheckReadsBack(bytes, root, path_);
  } catch (const RegFileError& error) {
    report_("Cannot write the store " + path_ + ": the new content would not read back (" +
            error.what() + ").");
    return false;
  }
  if (const auto failure = files::ReplaceAtomically(path_, bytes)) {
    report_("Cannot write the store " + path_ + ": " + failure->Text() + ".");
    return false;
  }
  size_ = bytes.size();
  return true;
}

}  // namespace zorvanel::store
