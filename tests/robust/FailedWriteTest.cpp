// A write of the store file that fails leaves the previous file as it was and
// reaches the user as a registry error: the call fails with code 5, so the
// layer shows "Unknown Registry-error occured." once, and the program goes on.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/hive/Installation.h"
#include "platform/registry/mdlRegistry.h"
#include "platform/store/RegFile.h"
#include "platform/store/StoreFile.h"
#include "platform/store/SubstituteStore.h"
#include "tests/hive/EmptyHive.h"
#include "tests/replay/ScenarioFiles.h"
#include "tests/robust/ChildProcess.h"
#include "tests/robust/TempDirectory.h"
#include "tests/wine/WineTranscript.h"

namespace zorvanel::robust {
namespace {

namespace fs = std::filesystem;
using registry::HKEY_LOCAL_MACHINE;

constexpr const char* kStoreText =
    "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Old]\r\n\"Name\"=\"kept\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Old\\Leaf]\r\n\r\n";

class BoxCounter : public ui::MessageBoxes {
 public:
  ui::Answer MessageBox(std::string_view text, ui::Buttons, ui::Icon icon,
                        std::string_view title) override {
    texts.emplace_back(std::string(title) + ": " + std::string(text));
    EXPECT_EQ(icon, ui::Icon::Critical);
    return ui::Answer::OK;
  }
  std::vector<std::string> texts;
};

class FailedWriteTest : public ::testing::Test {
 protected:
  TempDirectory dir_{"failed-write"};
};

// A store opened in DIR/folder, whose folder is then replaced by a file: no
// new store file can even be created. The old one lives on in DIR/moved.
class StoreThatLostItsFolder {
 public:
  explicit StoreThatLostItsFolder(const fs::path& dir) : dir_(dir) {
    fs::create_directories(dir / "folder");
    std::ofstream(dir / "folder" / "store.reg", std::ios::binary) << kStoreText;
    file_ = store::StoreFile::Open((dir / "folder" / "store.reg").string());
    store_ = std::make_unique<store::SubstituteStore>(file_->TakeContent());
    store_->PersistWith([this](const store::Key& root) { return file_->Write(root); });
    fs::rename(dir / "folder", dir / "moved");
    std::ofstream(dir / "folder") << "not a folder";
  }
  store::SubstituteStore& Store() { return *store_; }
  std::string OldFile() const { return replay::ReadFile(dir_ / "moved" / "store.reg"); }

 private:
  fs::path dir_;
  std::unique_ptr<store::StoreFile> file_;
  std::unique_ptr<store::SubstituteStore> store_;
};

TEST_F(FailedWriteTest, EachWritingOperationReportsOnceAndChangesNothing) {
  struct Case {
    const char* label;
    std::function<void(registry::mdlRegistry&)> write;
  };
  const Case cases[] = {
      {"SetStringValue",
       [](auto& r) { r.SetStringValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Old", "Name", "new"); }},
      {"SetDwordValue", [](auto& r) { r.SetDwordValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Old", "N", 7); }},
      {"CreateKey", [](auto& r) { r.CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\New\\Deeper"); }},
      {"DeleteKey", [](auto& r) { r.DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Old\\Leaf"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    StoreThatLostItsFolder broken(dir_ / c.label);
    BoxCounter boxes;
    registry::mdlRegistry layer(broken.Store(), boxes);
    c.write(layer);

    EXPECT_EQ(boxes.texts, std::vector<std::string>{"Error: Unknown Registry-error occured."});
    EXPECT_EQ(broken.OldFile(), kStoreText);
    EXPECT_EQ(broken.Store().Root(), store::ParseRegFile(kStoreText, "before"))
        << "the change was kept";
    EXPECT_EQ(broken.Store().OpenHandleCount(), 0u);
  }
}

TEST_F(FailedWriteTest, TheSeamCallFailsWithAccessDenied) {
  StoreThatLostItsFolder broken(dir_.Path());
  registry::KeyHandle key = 0;
  EXPECT_EQ(broken.Store().RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\New",
                                          registry::KEY_CREATE_SUB_KEY, &key),
            registry::kAccessDenied);
}

// A disk that is full, made real with a file-size limit on the replay
// runner: every write of the store (or of a hive, or of its kept original)
// fails at write(2). The program still shows its window, each failed change
// is reported once, and the files on disk are the ones it started from.
TEST_F(FailedWriteTest, DiskFullDuringARealRunKeepsTheStoreAndTheProgramGoesOn) {
  const std::string storeText =
      replay::ReadFile(fs::path(ZORVANEL_TEST_DATA) / "stores" / "product-old-no-backup.reg");
  const fs::path storePath = dir_ / "registry.reg";
  std::ofstream(storePath, std::ios::binary) << storeText;
  const fs::path partition = dir_ / "partition";
  ASSERT_TRUE(hive::MakeInstallation(store::ParseRegFile(storeText, "store"), partition, 1));
  const auto hives = hive::FindInstallation(partition.string());
  // Originals kept by an earlier run: here the commit itself meets the full disk.
  for (const auto& file : {hives.system, hives.software}) {
    fs::copy_file(file, file + hive::kOriginalSuffix);
  }

  struct Target {
    std::vector<std::string> args;
    std::vector<fs::path> files;
  };
  for (const Target& target : {Target{{"--store", storePath.string()}, {storePath}},
                               Target{{"--windows", partition.string()},
                                      {hives.system, hives.software,
                                       hives.system + hive::kOriginalSuffix}}}) {
    SCOPED_TRACE(target.args.front());
    std::vector<std::string> before;
    for (const auto& file : target.files) before.push_back(replay::ReadFile(file));
    std::vector<std::string> args{ZORVANEL_REPLAY};
    args.insert(args.end(), target.args.begin(), target.args.end());
    args.push_back("-");
    ChildProcess replay(args, [] {
      ::signal(SIGXFSZ, SIG_IGN);  // a failing write(2) instead of a killed process
      const rlimit fileSize{64, 64};
      ::setrlimit(RLIMIT_FSIZE, &fileSize);
    });
    // Yes to the version question rewrites the product key: three writes.
    replay.WriteInput("answer Yes\nstart\ndump\n");
    replay.CloseInput();
    const int status = replay.Finish();

    EXPECT_EQ(DescribeStatus(status), "exit 0") << replay.Errors();
    const std::string& transcript = replay.Output();
    const std::string errorBox =
        "box \"Error\" critical OK \"Unknown Registry-error occured.\" -> OK (default)\n";
    std::size_t errors = 0;
    for (auto at = transcript.find(errorBox); at != std::string::npos;
         at = transcript.find(errorBox, at + 1)) {
      ++errors;
    }
    EXPECT_EQ(errors, 3u) << transcript;
    EXPECT_NE(transcript.find("window frmMainframe shown\n"), std::string::npos) << transcript;
    for (std::size_t i = 0; i < target.files.size(); ++i) {
      EXPECT_EQ(replay::ReadFile(target.files[i]), before[i]) << target.files[i];
    }
    // What the program holds in memory was rolled back with each failed write.
    const std::string dumped = transcript.substr(transcript.find("REGEDIT4"));
    EXPECT_EQ(wine::CanonicalHiveTranscript(dumped), wine::CanonicalHiveTranscript(storeText));
    for (const auto& folder : {dir_.Path(), fs::path(hives.system).parent_path()}) {
      for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".zorvanel-")) << entry.path();
      }
    }
  }
}

}  // namespace
}  // namespace zorvanel::robust
