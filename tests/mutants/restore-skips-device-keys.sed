# The restore writes the video key only, not the device keys.
# File: src/modes/BackupRestore.cpp
/registry.SetStringValue(HKEY_LOCAL_MACHINE, device, name, data);/d
