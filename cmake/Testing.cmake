# GoogleTest for both builds: the native build takes Debian's libraries, the
# win32 build compiles the sources Debian's googletest package ships.
if(NOT ORV_FUZZ)
  if(CMAKE_CROSSCOMPILING)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

# orv_add_test(NAME SOURCES ... LIBS ...)
# One executable is one ctest test: under Wine a process per test case would
# make the suite slow, so the whole executable runs once.
function(orv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
