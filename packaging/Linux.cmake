# The Linux program and what `cmake --install` puts around it: the desktop
# entry, the icons, the manual page, the read-me, the music and the sample
# machine. The program finds its files relative to its own folder, so an
# installation may live under any prefix, and the build tree has the same
# layout beside build/*/src: the program runs from either.
file(RELATIVE_PATH data_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/zorvanel)
file(RELATIVE_PATH doc_from_bin ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DOCDIR})
set(program_dir ${PROJECT_BINARY_DIR}/src)
cmake_path(ABSOLUTE_PATH data_from_bin BASE_DIRECTORY ${program_dir} NORMALIZE
           OUTPUT_VARIABLE data_dir)
cmake_path(ABSOLUTE_PATH doc_from_bin BASE_DIRECTORY ${program_dir} NORMALIZE
           OUTPUT_VARIABLE doc_dir)

zorvanel_readme(${doc_dir})
zorvanel_music_file(${data_dir})
if(NOT TARGET zorvanel)
  return()  # no desktop program here (see src/CMakeLists.txt): nothing to install
endif()
target_compile_definitions(zorvanel_desktop PRIVATE
  ZORVANEL_DATA_FROM_BIN="${data_from_bin}" ZORVANEL_DOC_FROM_BIN="${doc_from_bin}")
add_dependencies(zorvanel zorvanel_music_file)
configure_file(${PROJECT_SOURCE_DIR}/examples/sample-xp.reg ${data_dir}/sample-xp.reg COPYONLY)

# The icons in the sizes desktops ask for, drawn by the program's own icon code.
set(icon_sizes 16 22 24 32 48 64 128 256)
set(icon_dir ${PROJECT_BINARY_DIR}/icons)
set(icons)
foreach(size IN LISTS icon_sizes)
  list(APPEND icons ${icon_dir}/hicolor/${size}x${size}/apps/zorvanel.png)
endforeach()
add_custom_command(OUTPUT ${icons}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:zorvanel-icons> ${icon_dir}/hicolor ${icon_sizes}
  DEPENDS zorvanel-icons
  COMMENT "Drawing the program's icons"
  VERBATIM)

# The manual page and the changelog, compressed as Debian keeps them.
set(ZORVANEL_DESCRIPTION "${PROJECT_DESCRIPTION}")
configure_file(${PROJECT_SOURCE_DIR}/docs/zorvanel.1 ${PROJECT_BINARY_DIR}/man/zorvanel.1 @ONLY)
configure_file(changelog.in ${PROJECT_BINARY_DIR}/man/changelog @ONLY)
configure_file(zorvanel.desktop.in ${PROJECT_BINARY_DIR}/zorvanel.desktop @ONLY)
configure_file(copyright.in ${PROJECT_BINARY_DIR}/copyright @ONLY)
set(compressed)
foreach(name zorvanel.1 changelog)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/man/${name}.gz
    COMMAND gzip -9 -n -f -k ${name}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/man
    DEPENDS ${PROJECT_BINARY_DIR}/man/${name}
    VERBATIM)
  list(APPEND compressed ${PROJECT_BINARY_DIR}/man/${name}.gz)
endforeach()
add_custom_target(zorvanel_install_files ALL DEPENDS ${icons} ${compressed})

install(TARGETS zorvanel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${data_dir}/refresh.dat ${data_dir}/sample-xp.reg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zorvanel)
install(FILES ${doc_dir}/readme.txt ${PROJECT_BINARY_DIR}/copyright
              ${PROJECT_BINARY_DIR}/man/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_BINARY_DIR}/man/zorvanel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/zorvanel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${icon_dir}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME zorvanel)

# The .deb: `cmake --build --preset linux-package --target package`. Its
# Depends come from dpkg-shlibdeps over the installed program.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvanel)
set(CPACK_PACKAGE_VERSION ${ZORVANEL_PACKAGE_VERSION})
set(CPACK_PACKAGE_CONTACT "${ZORVANEL_DEVELOPER} <${ZORVANEL_CONTACT}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Zorvanel sets which refresh rates the Detonator display driver for Windows\n"
    "NT/2000/XP offers at each of 19 screen resolutions. On Linux it works on a\n"
    "simulated Windows machine, a registry kept in a .reg file.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://${ZORVANEL_HOST}/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Links and the read-me open through xdg-open; the music needs the sound font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fluid-soundfont-gm")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR})
include(CPack)
