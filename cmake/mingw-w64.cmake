# Cross-compiling for Windows with Debian's mingw-w64. Included by the
# toolchain files, which set ZORVANEL_MINGW_TRIPLET first.
#
# The win32 thread model keeps the runtime's imports within Windows 2000/XP
# (the posix model pulls in GetTickCount64, Vista and later); it offers no
# std::thread or std::mutex, which the program does not use.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZORVANEL_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${ZORVANEL_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${ZORVANEL_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZORVANEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained executable: no runtime DLLs beyond the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The shipped program carries no symbols.
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s")

# The shipped programs are linked statically: each function and datum in a
# section of its own lets the linker drop what the program never calls.
set(CMAKE_CXX_FLAGS_MINSIZEREL_INIT "-Os -DNDEBUG -ffunction-sections -fdata-sections")
set(CMAKE_C_FLAGS_MINSIZEREL_INIT "-Os -DNDEBUG -ffunction-sections -fdata-sections")
string(APPEND CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT " -Wl,--gc-sections")
