# The program's own facts for the files made around it (version resource,
# packages, manual page), read from the headers the program is built from,
# so that each fact is written once.

# Sets OUT to the text of `NAME = "..."` in the header FILE.
function(zorvanel_read_text_constant file name out)
  file(STRINGS "${file}" lines REGEX "${name} = \"")
  if(NOT lines MATCHES "${name} = \"([^\"]*)\"")
    message(FATAL_ERROR "${file}: no text constant ${name}")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

set(_src ${PROJECT_SOURCE_DIR}/src/app)
zorvanel_read_text_constant(${_src}/ProductKey.h kProgramVersion ZORVANEL_PROGRAM_VERSION)
zorvanel_read_text_constant(${_src}/Maker.h kDeveloperName ZORVANEL_DEVELOPER)
zorvanel_read_text_constant(${_src}/Maker.h kMakerContact ZORVANEL_CONTACT)
zorvanel_read_text_constant(${_src}/Maker.h kMakerHost ZORVANEL_HOST)
zorvanel_read_text_constant(${_src}/Maker.h kProductName ZORVANEL_PRODUCT_NAME)

# "2.21f E" ships as 2.21f: the version without the edition letter, whose
# numeric part must be the project's version.
string(REGEX MATCH "^[0-9.]+[a-z]?" ZORVANEL_PACKAGE_VERSION "${ZORVANEL_PROGRAM_VERSION}")
if(NOT ZORVANEL_PACKAGE_VERSION MATCHES "^${PROJECT_VERSION}[a-z]?$")
  message(FATAL_ERROR "The program calls itself ${ZORVANEL_PROGRAM_VERSION}, "
                      "the project ${PROJECT_VERSION}: make them agree")
endif()
