# The hive's original is not kept before its first change.
# File: src/platform/hive/HiveFile.cpp
s/CommittedBytes(bytes) \&\& KeepOriginal() \&\&/CommittedBytes(bytes) \&\&/
