# The driver's double scan taken from 400 lines instead of below them.
# File: src/modes/MonitorLimits.cpp
s/size.height < 400 ?/size.height <= 400 ?/
