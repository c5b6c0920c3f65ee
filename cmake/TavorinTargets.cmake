# Helpers that give every folder the same shape: one static library, one test program.

# tavorin_library(<name> DEPS <targets...>): the sources of the current folder as one static library.
function(tavorin_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tavorin_test(<name> [CORE] DEPS <targets...>): the test sources of the current folder as one GoogleTest
# program. CORE programs run without windows and must not link Qt Widgets.
function(tavorin_test name)
  cmake_parse_arguments(ARG "CORE" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${sources})
  if(ARG_CORE)
    target_link_libraries(${name} PRIVATE test_support_core ${ARG_DEPS})
    set(pch ${TAVORIN_CORE_TEST_PCH})
  else()
    target_link_libraries(${name} PRIVATE test_support ${ARG_DEPS})
    set(pch ${TAVORIN_TEST_PCH})
  endif()
  # Each test program compiles its own header: Qt Test defines a per-folder macro that a shared one would not match.
  target_precompile_headers(${name} PRIVATE ${pch})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
