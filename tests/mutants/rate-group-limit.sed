# A limit off by one: the group limit itself is warned about.
# File: src/modes/Apply.cpp
s/hertz \&\& \*hertz > limit)/hertz \&\& *hertz >= limit)/
