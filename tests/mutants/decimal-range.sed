# A wrong range in the decimal table: 72 Hz as up to 72 instead of up to 70.
# File: src/modes/ModeLists.cpp
s/{"72", "1FFC", "-70"}/{"72", "1FFC", "-72"}/
