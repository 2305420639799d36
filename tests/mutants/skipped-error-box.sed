# A skipped error box: a registry failure is counted but not shown.
# File: src/platform/registry/mdlRegistry.cpp
/boxes_.MessageBox(kRegistryErrorText/d
