# The decimal table keeps the separator after its last entry.
# File: src/modes/ModeTable.cpp
0,/table.pop_back();/s/table.pop_back();/;/
