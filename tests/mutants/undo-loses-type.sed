# The undo writes every saved value back as a plain text, whatever its type.
# File: src/platform/registry/mdlRegistry.cpp
s/SetValue(root, path, name, value.type, bytes.data(),/SetValue(root, path, name, REG_SZ, bytes.data(),/
