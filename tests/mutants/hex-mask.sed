# A wrong mask in the hexadecimal table: 85 Hz with 100 Hz's mask.
# File: src/modes/ModeLists.cpp
s/{"85", "1FF0", "-75"}/{"85", "1FE0", "-75"}/
