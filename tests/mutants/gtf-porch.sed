# A wrong constant in the timing formula: two lines of front porch.
# File: src/modes/Gtf.cpp
s/kMinPorchLines = 1;/kMinPorchLines = 2;/
