# 32-bit Windows (i686), the platform the program was made for: Windows
# 2000/XP. The PE header asks for subsystem version 4.0 so that the loader of
# those systems accepts the program.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZORVANEL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT
       " -Wl,--major-subsystem-version,4,--minor-subsystem-version,0"
       " -Wl,--major-os-version,4,--minor-os-version,0")
