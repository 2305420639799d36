# The safety copy is never read back: an incomplete copy counts as a base for the undo.
# File: src/modes/SafetyCopy.cpp
/if (!SlotComplete(registry, n, keys\[n\])) return false;/d
