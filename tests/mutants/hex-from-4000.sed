# A threshold off by one: 40.00 already gets the hexadecimal table.
# File: src/detect/DetectSystem.cpp
s/HexFormat = found_.VersionNumber > 4000;/HexFormat = found_.VersionNumber >= 4000;/
