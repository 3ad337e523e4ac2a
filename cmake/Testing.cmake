# GoogleTest for every build: the native and fuzz builds take Debian's
# libraries, the cross builds compile the sources Debian's googletest package ships.
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # Compiled for a quick build, as the tests are: nothing of it is on a hot path.
  foreach(framework gtest gtest_main gmock gmock_main)
    target_compile_options(${framework} PRIVATE -O1)
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()

# orv_add_test(NAME SOURCES ... LIBS ...)
# One executable is one ctest test: under Wine a process per test case would
# make the suite slow, so the whole executable runs once. Where the build
# precompiles the test framework's headers (orv_test_headers), its units start
# from them.
function(orv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(TARGET orv_test_headers)
    target_precompile_headers(${name} REUSE_FROM orv_test_headers)
    target_compile_options(${name} PRIVATE -fpch-preprocess)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# orv_add_fuzzer(NAME SOURCES ... LIBS ... MAX_LEN n SMOKE_RUNS n)
# A libFuzzer target of the fuzz build with a smoke run in ctest (label fuzz:
# the build's other tests are the sanitized suite) of SMOKE_RUNS inputs, the
# seeds included, a few seconds' worth here; `make fuzz` runs it for long.
# New inputs go to a corpus in the build tree, the seeds in the source
# folder's corpus/ stay as they are. A unit counts as hanging only after two
# minutes, where one takes milliseconds, so that a busy machine fails none.
function(orv_add_fuzzer name)
  cmake_parse_arguments(F "" "MAX_LEN;SMOKE_RUNS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/corpus)
  # The longest input, for the long runs of scripts/fuzz-long.sh.
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.max_len "${F_MAX_LEN}\n")
  add_test(NAME ${name}_smoke COMMAND ${name} -runs=${F_SMOKE_RUNS} -timeout=120 -max_len=${F_MAX_LEN}
           ${CMAKE_CURRENT_BINARY_DIR}/corpus ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
  set_tests_properties(${name}_smoke PROPERTIES LABELS fuzz TIMEOUT 900)
endfunction()

# orv_add_memcheck(TEST [ARGS ...])
# The native build runs a test executable once more under Valgrind's memcheck,
# labelled memcheck (the memcheck test preset runs these, the native one leaves
# them out): an invalid access, a jump on uninitialised memory or a definite
# or indirect leak fails it.
function(orv_add_memcheck test)
  if(CMAKE_CROSSCOMPILING OR ORV_FUZZ)
    return()
  endif()
  add_test(NAME ${test}_memcheck
           COMMAND valgrind --quiet --leak-check=full --errors-for-leak-kinds=definite,indirect
                   --error-exitcode=86 $<TARGET_FILE:${test}> --gtest_brief=1 ${ARGN}
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${test}_memcheck PROPERTIES LABELS memcheck)
endfunction()
