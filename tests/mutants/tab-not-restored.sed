# A tab not restored: choosing the driver generation by hand leaves the settings tab away.
# File: src/detect/SettingsTab.cpp
/form.AppendTab(kTabStrip, settings.caption);/d
