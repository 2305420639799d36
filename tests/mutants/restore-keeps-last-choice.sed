# "Load backup" keeps the last choice, which a driver update then offers again.
# File: src/modes/BackupRestore.cpp
/^  ForgetLastChoice(registry);$/d
