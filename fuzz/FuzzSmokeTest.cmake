# The seed inputs of the store reader's fuzzer: the shipped sample store, the
# test stores, and the reader's hard cases (fuzz/seeds).
file(GLOB zorvanel_fuzz_seeds CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/examples/*.reg ${PROJECT_SOURCE_DIR}/tests/stores/*.reg
     ${PROJECT_SOURCE_DIR}/fuzz/seeds/*.reg)

# A few seconds of fuzzing as a test, so that a reader change that crashes on
# near-valid input fails the build's tests. Longer runs: scripts/fuzz.sh.
function(zorvanel_add_fuzz_smoke_test fuzzer)
  list(JOIN zorvanel_fuzz_seeds "," seeds)
  set(findings ${CMAKE_CURRENT_BINARY_DIR}/smoke-findings)
  file(MAKE_DIRECTORY ${findings})
  add_test(NAME RegFileFuzzSmoke
           COMMAND ${fuzzer} -max_total_time=4 -seed_inputs=${seeds}
                   -dict=${PROJECT_SOURCE_DIR}/fuzz/regfile.dict
                   -artifact_prefix=${findings}/ -print_final_stats=1)
  set_tests_properties(RegFileFuzzSmoke PROPERTIES TIMEOUT 60 LABELS fuzz)
endfunction()
