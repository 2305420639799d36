# The version number read from every character instead of every other one.
# File: src/detect/VersionNumber.cpp
s/position += 2)/position += 1)/
