# A store written in place: the new content is written over the old file.
# File: src/platform/store/FileSafety_posix.cpp
s/Descriptor fd(::open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));/Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));/
