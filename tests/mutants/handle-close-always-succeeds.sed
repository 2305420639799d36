# Closing a handle twice succeeds in the substitute store.
# File: src/platform/store/SubstituteStore.cpp
s/return handles_.erase(key) ? kSuccess : kInvalidHandle;/handles_.erase(key); return kSuccess;/
