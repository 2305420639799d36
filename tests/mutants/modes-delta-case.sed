# The case of _Modes_Delta: the suffix matched in lower case.
# File: src/modes/ModeValues.h
s/"_Modes_Delta"/"_modes_delta"/
