# A wrong character in the ANSI table: the euro sign one code point off.
# File: src/platform/registry/AnsiText.cpp
s/0x20AC, 0x0081/0x20AD, 0x0081/
