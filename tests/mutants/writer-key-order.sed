# The wrong key order in the writer: device keys from the highest number down.
# File: src/modes/WriteModeTable.cpp
s/keys.push_back(DeviceKey(fields.DriverKey, n));/keys.insert(keys.begin() + (keys.empty() ? 0 : 1), DeviceKey(fields.DriverKey, n));/
