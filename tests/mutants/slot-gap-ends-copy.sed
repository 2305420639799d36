# A slot without its subkey ends the copy: the slots after it are never undone.
# File: src/modes/SafetyCopy.cpp
s/return registry.KeyExists(HKEY_LOCAL_MACHINE, SlotKey(number)) ||$/return registry.KeyExists(HKEY_LOCAL_MACHINE, SlotKey(number));/
/^         registry.ValueExists(HKEY_LOCAL_MACHINE, app::kLastGoodKey, Slot(number));$/d
