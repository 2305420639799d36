# A threshold off by one: the compressed format from 41.01 on instead of 41.00.
# File: src/detect/DetectSystem.cpp
s/(switchExists || version >= 4100)/(switchExists || version > 4100)/
