// A large store: the sample machine with 1,000 more keys of 100 texts of
// about 40 bytes each, 100,000 values in all. Prints what one write-through
// costs and what each of its parts costs, and (LargeStorePeakMemory) how far
// memory rises over the process's start while the store is opened and
// written once, against the file's size.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "benchmarks/LargeStore.h"
#include "platform/store/FileSafety.h"
#include "platform/store/RegFile.h"
#include "platform/store/StoreFile.h"
#include "platform/store/SubstituteStore.h"

namespace zorvanel {
namespace {

using store::Key;

// The store file, written once for all the benchmarks.
class StoreOnDisk {
 public:
  StoreOnDisk() {
    std::string folder = std::filesystem::temp_directory_path().string() + "/store-bench-XXXXXX";
    if (!::mkdtemp(folder.data())) throw std::runtime_error("mkdtemp");
    folder_ = folder;
    path_ = folder + "/large.reg";
    bytes_ = bench::LargeStoreText(ZORVANEL_EXAMPLES "/sample-xp.reg");
    std::ofstream(path_, std::ios::binary) << bytes_;
    tree_ = store::ParseRegFile(bytes_, path_);
  }
  ~StoreOnDisk() { std::filesystem::remove_all(folder_); }

  const std::string& Path() const { return path_; }
  const std::string& Bytes() const { return bytes_; }
  const Key& Tree() const { return tree_; }

 private:
  std::string folder_, path_, bytes_;
  Key tree_;
};

StoreOnDisk& Disk() {
  static StoreOnDisk disk;
  return disk;
}

void FileSize(benchmark::State& state) {
  state.counters["file_MB"] = static_cast<double>(Disk().Bytes().size()) / 1e6;
}

// One RegSetValueEx on the file-backed store: everything a change costs.
void LargeStoreWriteThrough(benchmark::State& state) {
  auto file = bench::OpenStore(Disk().Path());
  store::SubstituteStore registry(bench::Content(*file));
  registry.PersistWith([&file](const Key& root) { return file->Write(root); });
  registry::KeyHandle key = 0;
  registry.RegOpenKeyEx(registry::HKEY_LOCAL_MACHINE, bench::kChangedKey, registry::KEY_SET_VALUE,
                        &key);
  std::uint8_t round = 0;
  for (auto _ : state) {
    const std::uint8_t data[] = {'x', static_cast<std::uint8_t>('a' + round++ % 26), 0};
    if (registry.RegSetValueEx(key, "Changed", registry::REG_SZ, data, sizeof data) != 0) {
      state.SkipWithError("the write-through failed");
      break;
    }
  }
  FileSize(state);
}
BENCHMARK(LargeStoreWriteThrough)->Unit(benchmark::kMillisecond);

void LargeStoreTreeCopy(benchmark::State& state) {
  for (auto _ : state) {
    Key copy = Disk().Tree();
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(LargeStoreTreeCopy)->Unit(benchmark::kMillisecond);

void LargeStoreFormat(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(store::FormatRegFile(Disk().Tree()));
}
BENCHMARK(LargeStoreFormat)->Unit(benchmark::kMillisecond);

// The read-back check's two halves: parsing the text, comparing the trees.
void LargeStoreParse(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(store::ParseRegFile(Disk().Bytes(), "large.reg"));
}
BENCHMARK(LargeStoreParse)->Unit(benchmark::kMillisecond);

void LargeStoreCompare(benchmark::State& state) {
  const Key other = Disk().Tree();
  for (auto _ : state) benchmark::DoNotOptimize(other == Disk().Tree());
}
BENCHMARK(LargeStoreCompare)->Unit(benchmark::kMillisecond);

// Writing the file and flushing it to disk, then the rename.
void LargeStoreReplace(benchmark::State& state) {
  for (auto _ : state) {
    if (!bench::Replace(Disk().Path(), Disk().Bytes())) {
      state.SkipWithError("the replace failed");
      break;
    }
  }
}
BENCHMARK(LargeStoreReplace)->Unit(benchmark::kMillisecond);

// 320,000 keys under one parent (22 MB): reading must stay linear in the
// number of siblings.
void SiblingKeysParse(benchmark::State& state) {
  std::string text = "REGEDIT4\r\n";
  for (int k = 0; k < 320000; ++k) {
    text += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Siblings\\Key" + std::to_string(k) + "]\r\n";
  }
  for (auto _ : state) benchmark::DoNotOptimize(store::ParseRegFile(text, "siblings.reg"));
  state.counters["file_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(SiblingKeysParse)->Unit(benchmark::kMillisecond);

// The peak is measured in a fresh process, zorvanel_store_peak, so that
// nothing this one allocated before counts.
void LargeStorePeakMemory(benchmark::State& state) {
  double growth = 0;
  for (auto _ : state) {
    const std::string command = std::string(ZORVANEL_STORE_PEAK) + " " + Disk().Path();
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe || std::fscanf(pipe.get(), "%lf", &growth) != 1) {
      state.SkipWithError("zorvanel_store_peak failed");
      return;
    }
  }
  const double file = static_cast<double>(Disk().Bytes().size());
  state.counters["peak_MB"] = growth / 1e6;
  state.counters["peak_per_file"] = growth / file;
  FileSize(state);
}
BENCHMARK(LargeStorePeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvanel
