#pragma once
// The file behind a substitute store: held by one program instance at a time,
// and replaced atomically on every write.

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/store/FileSafety.h"
#include "platform/store/StoreTree.h"

namespace zorvanel::store {

// The store cannot be used: malformed, unreadable, or held by another
// instance. what() is the message for the user.
class StoreFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class StoreFile {
 public:
  // Tells the user about the store file: a store opened read-only, and why
  // a write failed. Each is told once, and names the file.
  using Report = std::function<void(const std::string& message)>;

  // Resolves the path (links followed) and takes the store's lock (a second
  // instance is refused with StoreFileError), then reads and parses the
  // file. A missing file is an error unless createIfMissing, in which case
  // it starts empty and is written at the first change. A store this user
  // may not replace is opened read-only, which is reported.
  // Without a report, the messages go to stderr.
  static std::unique_ptr<StoreFile> Open(const std::string& path, bool createIfMissing = false,
                                         Report report = {});
  ~StoreFile();
  StoreFile(const StoreFile&) = delete;
  StoreFile& operator=(const StoreFile&) = delete;

  // The tree as the file held it, handed over once: the store keeps no copy.
  Key TakeContent() { return std::move(content_); }
  const std::string& Path() const { return path_; }
  bool ReadOnly() const { return readOnly_; }

  // Replaces the file with the tree, atomically. Returns false, leaving the
  // previous file as it was, when the store is read-only or any step fails;
  // a failure is reported with its reason.
  bool Write(const Key& root);

 private:
  StoreFile(std::string path, Report report);
  std::string path_;
  Report report_;
  files::FileLock lock_;
  Key content_;
  std::size_t size_ = 0;  // of the file as last read or written
  bool readOnly_ = false;
};

}  // namespace zorvanel::store
