// libFuzzer target for the store file reader. Any input must either parse or
// be refused with RegFileError; anything else (a crash, a sanitizer report,
// another exception, unbounded memory) is a finding. A store that parses
// must also survive being written and read back unchanged, because every
// change the program makes rewrites the whole file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string_view>

#include "platform/store/RegFile.h"

namespace {

using zorvanel::store::CheckReadsBack;
using zorvanel::store::FormatRegFile;
using zorvanel::store::Key;
using zorvanel::store::ParseRegFile;
using zorvanel::store::RegFileError;

[[noreturn]] void Finding(const char* what) {
  std::fprintf(stderr, "regfile_fuzzer: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Key tree;
  try {
    tree = ParseRegFile(bytes, "fuzz.reg");
  } catch (const RegFileError&) {
    return 0;  // refused with a message: the expected outcome for most inputs
  }
  const std::string written = FormatRegFile(tree);
  try {
    if (!(ParseRegFile(written, "rewritten.reg") == tree)) {
      Finding("the rewritten store reads back as a different tree");
    }
    CheckReadsBack(written, tree, "rewritten.reg");  // the writer's own check agrees
  } catch (const RegFileError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    Finding("the rewritten store cannot be read back");
  }
  return 0;
}
