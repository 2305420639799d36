# The hive's original is not kept before its first change.
# File: src/platform/hive/HiveFile.cpp
/if (auto failure = KeepCopy(kOriginalSuffix)) return failure;/d
