# A saved value of a type the copy never writes is passed over silently.
# File: src/modes/SafetyCopy.cpp
s/^  ForEachValueName(registry, SlotKey(number), \[&\](const std::string& name) {$/&\n    if (name == registry::kNonTextValueName) return;/
