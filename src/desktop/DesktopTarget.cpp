#include "desktop/DesktopTarget.h"

#include <cstdlib>
#include <filesystem>

#include "app/MainframeLayout.h"
#include "desktop/DesktopStore.h"

namespace zorvanel::desktop {

namespace {

namespace fs = std::filesystem;

std::string StorePath(const CommandLine& options) {
  if (options.store) return *options.store;
  const auto path = DefaultStorePath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  if (!path) {
    throw store::StoreFileError("There is no home folder to keep the store in; use --store FILE.");
  }
  CreateStoreIfMissing(*path, SampleStore());
  return *path;
}

}  // namespace

std::unique_ptr<DesktopTarget> DesktopTarget::Open(const CommandLine& options,
                                                   store::StoreFile::Report report) {
  auto target = std::unique_ptr<DesktopTarget>(new DesktopTarget());
  const std::string caption = app::kMainframeCaption;
  if (options.windows || options.systemHive) {
    const hive::HivePaths paths = options.windows
                                      ? hive::FindInstallation(*options.windows)
                                      : hive::HivePaths{*options.systemHive, *options.softwareHive};
    target->installation_ = hive::Installation::Open(paths, report);
    const std::string place =
        options.windows ? fs::absolute(*options.windows).string()
                        : fs::absolute(paths.system).parent_path().string();
    target->title_ = caption + " - Windows at " + place;
  } else {
    target->file_ = store::StoreFile::Open(StorePath(options), false, std::move(report));
    target->store_ = std::make_unique<store::SubstituteStore>(target->file_->TakeContent());
    store::StoreFile* file = target->file_.get();
    target->store_->PersistWith([file](const store::Key& root) { return file->Write(root); });
    target->title_ = caption + " - simulated machine (" + file->Path() + ")";
  }
  return target;
}

registry::RegistryApi& DesktopTarget::Registry() {
  if (installation_) return installation_->Registry();
  return *store_;
}

std::vector<std::string> DesktopTarget::Warnings() const {
  return installation_ ? installation_->Registry().ReadOnlyReasons() : std::vector<std::string>{};
}

}  // namespace zorvanel::desktop
