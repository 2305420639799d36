# Closing a handle twice succeeds (in the substitute store and the hives alike).
# File: src/platform/registry/HandleTable.cpp
s/return handles_.erase(handle) ? kSuccess : kInvalidHandle;/handles_.erase(handle); return kSuccess;/
