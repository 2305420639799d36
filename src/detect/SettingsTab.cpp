#include "detect/SettingsTab.h"

#include "app/MainframeLayout.h"

namespace zorvanel::detect {

namespace {

constexpr const char* kTabStrip = "tbsMain";
constexpr int kSettingsTab = 3;

// The tab as the window was designed with it.
const ui::Tab& DesignedSettingsTab() {
  return app::MainframeLayout().Find(kTabStrip)->tabs.at(kSettingsTab - 1);
}

}  // namespace

void RemoveSettingsTab(ui::Form& form) { form.RemoveTab(kTabStrip, kSettingsTab); }

void RestoreSettingsTab(ui::Form& form) {
  if (form.TabCount(kTabStrip) == kSettingsTab) return;
  const ui::Tab& settings = DesignedSettingsTab();
  form.AppendTab(kTabStrip, settings.caption);
  form.SetTabTooltip(kTabStrip, kSettingsTab, settings.tooltip);
}

}  // namespace zorvanel::detect
