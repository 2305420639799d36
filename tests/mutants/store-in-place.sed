# A store written in place: the new content is written over the old file.
# File: src/platform/store/FileSafety_posix.cpp
s/  if (auto failure = WriteTemporary(path, path, fill, &temporary)) return failure;/  temporary = path;\n  Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));\n  if (auto failure = fill(fd.get(), temporary)) return failure;/
