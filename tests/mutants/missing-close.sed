# A missing close: the value test leaves its key open.
# File: src/platform/registry/mdlRegistry.cpp
/^bool mdlRegistry::ValueExists/,/^}/{/CloseReported/d}
