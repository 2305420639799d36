#pragma once
// The program's real windows on the Qt toolkit, over a store in memory, with
// the recording fakes of the platform services.

#include <QDir>
#include <fstream>
#include <sstream>
#include <string>

#include "app/ProgramWindows.h"
#include "app/WindowNames.h"
#include "platform/headless/FakeServices.h"
#include "platform/qt/QtToolkit.h"
#include "platform/store/RegFile.h"
#include "platform/store/SubstituteStore.h"

namespace zorvanel::qt::testing {

inline store::Key ReadStoreFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return store::ParseRegFile(bytes.str(), path);
}

// The windows refer to the services and the toolkit to the windows; each
// only keeps the reference until the program runs.
struct ProgramOnQt {
  explicit ProgramOnQt(store::Key content, double dpi = 96)
      : store(std::move(content)),
        windows(services),
        toolkit(windows, {dpi, folder, [this] { ++quits; }}),
        services{toolkit, store, system, restart, shell, music} {}

  ui::ControlRef Main(std::string_view control) const { return {app::kMainframe, control}; }
  QWidget* Widget(std::string_view control) { return toolkit.ControlWidget(Main(control)); }
  std::string Transcript() const { return out.str(); }

  std::ostringstream out;
  headless::Transcript transcript{out};
  std::string folder = QDir::currentPath().toStdString();
  store::SubstituteStore store;
  headless::FakeSystemInfo system{2};
  headless::FakeRestart restart{transcript, true};
  headless::RecordingShell shell{transcript};
  headless::FakeMusic music{transcript, true, folder};
  int quits = 0;
  app::ProgramWindows windows;
  QtToolkit toolkit;
  app::Services services;
};

}  // namespace zorvanel::qt::testing
