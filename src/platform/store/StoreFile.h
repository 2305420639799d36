#pragma once
// The file behind a substitute store: held by one program instance at a time,
// and replaced atomically on every write.

#include <memory>
#include <stdexcept>
#include <string>

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
  // Takes the store's lock (a second instance is refused with
  // StoreFileError), then reads and parses the file. A missing file is an
  // error unless createIfMissing, in which case it starts empty and is
  // written at the first change.
  static std::unique_ptr<StoreFile> Open(const std::string& path, bool createIfMissing = false);
  ~StoreFile();
  StoreFile(const StoreFile&) = delete;
  StoreFile& operator=(const StoreFile&) = delete;

  const Key& Content() const { return content_; }
  const std::string& Path() const { return path_; }

  // Writes the tree to a temporary file beside the store, flushes it to disk
  // and renames it over the store. Returns false, leaving the previous file
  // as it was, when any step fails.
  bool Write(const Key& root);

 private:
  StoreFile(std::string path, Key content, int lockHandle);
  std::string path_;
  Key content_;
  int lockHandle_;
};

}  // namespace zorvanel::store
