# A limit off by one: the monitor's own maximum rate counts as beyond it.
# File: src/modes/MonitorLimits.cpp
s/hertz > range.maxVerticalHz)/hertz >= range.maxVerticalHz)/
