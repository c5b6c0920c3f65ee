# Source checks run by ctest: layering of includes, headers that compile alone, formatting.
# Included at the end of the top-level CMakeLists.txt, when every target exists.

find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Collects the targets defined in <dir> and below it.
function(tavorin_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    tavorin_collect_targets(${sub} sub_targets)
    list(APPEND targets ${sub_targets})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Writes every target's folder, direct link dependencies (those it uses, those it passes on to its users),
# include folders and sources to <file>, one tab-separated line per target, so that the layering check
# follows the build's own dependency graph.
function(tavorin_write_target_manifest file)
  tavorin_collect_targets(${PROJECT_SOURCE_DIR} targets)
  set(lines "root\t${PROJECT_SOURCE_DIR}\n")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "UTILITY")
      continue()
    endif()
    get_target_property(dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    get_target_property(interface_sources ${target} INTERFACE_SOURCES)
    get_target_property(interface_deps ${target} INTERFACE_LINK_LIBRARIES)
    get_target_property(include_dirs ${target} INCLUDE_DIRECTORIES)
    get_target_property(interface_include_dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
    set(deps ${interface_deps})
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(deps ${target} LINK_LIBRARIES)
    endif()
    list(APPEND sources ${interface_sources})
    list(APPEND include_dirs ${interface_include_dirs})
    list(FILTER sources EXCLUDE REGEX "-NOTFOUND$")
    list(FILTER deps EXCLUDE REGEX "-NOTFOUND$")
    list(FILTER interface_deps EXCLUDE REGEX "-NOTFOUND$")
    list(FILTER include_dirs EXCLUDE REGEX "-NOTFOUND$")
    string(APPEND lines "target\t${target}\t${dir}\t${deps}\t${interface_deps}\t${include_dirs}\t${sources}\n")
  endforeach()
  file(WRITE ${file} "${lines}")
endfunction()

set(TAVORIN_TARGET_MANIFEST ${PROJECT_BINARY_DIR}/checks/targets.tsv)
tavorin_write_target_manifest(${TAVORIN_TARGET_MANIFEST})

add_test(NAME check_layering
         COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/check_layering.py ${TAVORIN_TARGET_MANIFEST})
add_test(NAME check_layering_selftest
         COMMAND Python3::Interpreter -m unittest -q test_check_layering
         WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/scripts)
# clang-format is a test package (scripts/install-deps.sh --tests); run alone with ctest -L format.
add_test(NAME check_format COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/format.sh --check)
set_tests_properties(check_format PROPERTIES LABELS "format")

# Clang checks the headers (a test package): its precompiled headers load lazily, where GCC's cost more to
# load than the header they spare. Without it the build's compiler checks, slowly.
find_program(TAVORIN_HEADER_CHECKER clang++)
if(TAVORIN_HEADER_CHECKER)
  set(header_checker --compiler ${TAVORIN_HEADER_CHECKER})
endif()
# Runs with two compilers at once and counts for two in ctest --parallel.
add_test(NAME check_headers
         COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/check_headers.py --jobs 2 ${header_checker}
                 ${PROJECT_BINARY_DIR}/compile_commands.json ${TAVORIN_TARGET_MANIFEST} src)
set_tests_properties(check_headers PROPERTIES PROCESSORS 2 TIMEOUT 1200)
set_tests_properties(check_layering check_layering_selftest check_headers PROPERTIES LABELS "checks"
                     ENVIRONMENT "PYTHONDONTWRITEBYTECODE=1")
