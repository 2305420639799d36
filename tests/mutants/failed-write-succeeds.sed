# A failed write reported as success: the result of setting a value is ignored.
# File: src/platform/registry/mdlRegistry.cpp
s/if (api_.RegSetValueEx(\*key, name, type, data, size) != kSuccess) ShowRegError();/api_.RegSetValueEx(*key, name, type, data, size);/
