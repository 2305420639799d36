# Included by the main build, which stays on g++: where clang and its
# libFuzzer runtime are installed, the fuzz build is made in its own tree
# beside this one and its smoke test runs with this build's tests.
if(CMAKE_CROSSCOMPILING OR NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()  # the fuzzer runs on the build machine, beside a Linux build only
endif()
find_program(ZORVANEL_CLANGXX NAMES clang++ clang++-14)
if(ZORVANEL_CLANGXX)
  execute_process(COMMAND ${ZORVANEL_CLANGXX} -print-file-name=libclang_rt.fuzzer-x86_64.a
                  OUTPUT_VARIABLE fuzzer_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
if(NOT ZORVANEL_CLANGXX OR NOT IS_ABSOLUTE "${fuzzer_runtime}")
  message(STATUS "clang's libFuzzer not found: the store reader's fuzz smoke test is left out "
                 "(scripts/ensure-deps.sh fuzz installs it)")
  return()
endif()

include(ExternalProject)
set(fuzz_build_dir ${CMAKE_BINARY_DIR}/fuzz-build)
ExternalProject_Add(regfile_fuzzer_build
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${fuzz_build_dir}
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${ZORVANEL_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
             -DZORVANEL_FUZZ=ON -DZORVANEL_WERROR=${ZORVANEL_WERROR}
  # One job inside: this step already takes one of the outer build's jobs.
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${fuzz_build_dir} --target regfile_fuzzer -j 1
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${fuzz_build_dir}/fuzz/regfile_fuzzer
  INSTALL_COMMAND "")

include(${CMAKE_CURRENT_LIST_DIR}/FuzzSmokeTest.cmake)
zorvanel_add_fuzz_smoke_test(${fuzz_build_dir}/fuzz/regfile_fuzzer)
