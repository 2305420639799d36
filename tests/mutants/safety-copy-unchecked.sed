# The safety copy is never read back: an incomplete copy counts as a base for the undo.
# File: src/modes/SafetyCopy.cpp
s/if (!SlotComplete(registry, n, keys\[n\])) return false;/(void)SlotComplete(registry, n, keys[n]);/
