# A wrong value name: the compressed-format switch misspelt.
# File: src/detect/DriverKeys.h
s/"UseCompressedModeFormat"/"UseCompressedModesFormat"/
