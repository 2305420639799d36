# The undo leaves a format switch the write made, where there was none before.
# File: src/modes/SafetyCopy.cpp
s/registry.DeleteValue(HKEY_LOCAL_MACHINE, key, kCompressedModeSwitch);/;/
