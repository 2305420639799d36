# A text saved without its terminator comes back with one: the byte after it is a NUL.
# File: src/platform/registry/mdlRegistry.cpp
s/bytes.push_back(0xFF);/bytes.push_back(0);/
