# The copy leaves out the format switch that "Almost there" turns on.
# File: src/modes/SafetyCopy.cpp
/if (!switchKey.empty()) SaveSwitchState(registry, switchKey);/d
