# A version compare flipped: backups are discarded when the driver stayed the same.
# File: src/detect/DriverEvaluation.cpp
s/if (!stored || \*stored == versionNumber) return false;/if (!stored || *stored != versionNumber) return false;/
