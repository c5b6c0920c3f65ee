# Helpers that give every folder the same shape: one static library, one test program.

# tavorin_library(<name> DEPS <targets...>): the sources of the current folder as one static library.
function(tavorin_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  # Qt's and the standard library's headers only, so that the check that every header compiles alone may
  # use this precompiled header too without hiding a missing include of ours.
  target_precompile_headers(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/LibraryPrecompiled.h)
endfunction()

# tavorin_test(<name> [CORE] DEPS <targets...>): the test sources of the current folder as one GoogleTest
# program. CORE programs run without windows and must not link Qt Widgets.
function(tavorin_test name)
  cmake_parse_arguments(ARG "CORE" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${sources})
  # One precompiled header serves every test program of a kind; the support libraries keep Qt Test's per-folder
  # macros out, which GCC would otherwise refuse it for (-Winvalid-pch says so).
  if(ARG_CORE)
    target_link_libraries(${name} PRIVATE test_support_core ${ARG_DEPS})
    target_precompile_headers(${name} REUSE_FROM test_support_core)
  else()
    target_link_libraries(${name} PRIVATE test_support ${ARG_DEPS})
    target_precompile_headers(${name} REUSE_FROM test_support)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
