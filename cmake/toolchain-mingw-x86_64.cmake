# 64-bit Windows (x86_64), the build that runs under Wine in the tests.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZORVANEL_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
