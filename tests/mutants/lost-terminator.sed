# A lost terminator: a text counted without its NUL is stored without one.
# File: src/platform/registry/AnsiText.cpp
s/return size + 1;/return size;/
