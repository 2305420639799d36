# zorvanel.exe looks for readme.txt and refresh.dat in its own folder, so
# they are made beside it. The zip holds the program, those two files and
# the licence: `cmake --build --preset windows-i686 --target package`.
set(program_dir ${PROJECT_BINARY_DIR}/src/windows)
zorvanel_readme(${program_dir})
zorvanel_music_file(${program_dir})
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${program_dir}/licence.txt NEWLINE_STYLE CRLF)
add_dependencies(zorvanel zorvanel_music_file)

# The version resource Explorer shows in the program's properties.
string(REPLACE "." "," numeric_version "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
set(ZORVANEL_DESCRIPTION "${PROJECT_DESCRIPTION}")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/version.rc.in ${program_dir}/version.rc @ONLY)
target_sources(zorvanel PRIVATE ${program_dir}/version.rc)

install(TARGETS zorvanel RUNTIME DESTINATION .)
install(FILES ${program_dir}/readme.txt ${program_dir}/refresh.dat ${program_dir}/licence.txt
        DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(bits win64)
else()
  set(bits win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME zorvanel)
set(CPACK_PACKAGE_VERSION ${ZORVANEL_PACKAGE_VERSION})
set(CPACK_PACKAGE_FILE_NAME zorvanel-${ZORVANEL_PACKAGE_VERSION}-${bits})
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR})
include(CPack)
