# Helpers that give every folder the same shape: one static library, one test program.

# Sources are compiled in batches (unity builds): the Qt and standard headers that every file includes are then
# parsed once per batch instead of once per file, which is most of a cold build's time.
set(TAVORIN_UNITY_BATCH_SIZE 16 CACHE STRING "Source files compiled together in one batch (0: one file at a time)")

function(tavorin_unity_build target)
  if(TAVORIN_UNITY_BATCH_SIZE GREATER 0)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${TAVORIN_UNITY_BATCH_SIZE})
    # GCC takes the batched sources for headers and warns about every test fixture in an anonymous namespace.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
    endif()
  endif()
endfunction()

# tavorin_library(<name> DEPS <targets...>): the sources of the current folder as one static library.
function(tavorin_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  tavorin_unity_build(${name})
endfunction()

# tavorin_test(<name> [CORE] [SHARDS <n>] DEPS <targets...>): the test sources of the current folder as one
# GoogleTest program. CORE programs run without windows and must not link Qt Widgets. Its tests run in <n>
# processes (4 by default), each taking every n-th test: a process started for each test cost more than most
# tests. Run one test with the program's own --gtest_filter.
function(tavorin_test name)
  cmake_parse_arguments(ARG "CORE" "SHARDS" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${sources})
  if(ARG_CORE)
    target_link_libraries(${name} PRIVATE test_support_core ${ARG_DEPS})
  else()
    target_link_libraries(${name} PRIVATE test_support ${ARG_DEPS})
  endif()
  tavorin_unity_build(${name})
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 4)
  endif()
  math(EXPR last "${ARG_SHARDS} - 1")
  foreach(shard RANGE ${last})
    add_test(NAME ${name}/${shard} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name}/${shard} PROPERTIES TIMEOUT 1200 ENVIRONMENT
                         "QT_QPA_PLATFORM=offscreen;GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${shard}")
  endforeach()
endfunction()
