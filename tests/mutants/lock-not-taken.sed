# A lock not taken: a store in use by another instance is opened anyway.
# File: src/platform/store/FileSafety_posix.cpp
s/if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {/if (false) {/
